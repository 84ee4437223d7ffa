#pragma once

#include "diary/Waters.h"
#include "sky/Astronomy.h"

#include <QWidget>
#include <array>
#include <vector>

class CatchLog;
class QBarSet;
class QChartView;
class QLabel;
class QPushButton;
class QValueAxis;
struct BiteTimes;

// "Kiedy biorą": when the catches the filter shows were made, against the sky: by moon
// phase, month and hour, and the share caught in the solunar periods and the hours
// around sunrise and sunset beside the share of the day those times take up. A chart
// resting on too few catches says so instead of drawing bars.
class BiteTimesPage : public QWidget
{
    Q_OBJECT

public:
    explicit BiteTimesPage(QWidget *parent = nullptr);

    // The catches the log shows, their sky seen from their water when it has a position
    // and otherwise from the sky place.
    void Update(const CatchLog &log, const std::vector<Water> &waters, const Astronomy::Site &skyPlace);

    enum Chart { Phases, Months, Hours, Periods, ChartCount };
    std::array<QChartView *, ChartCount> Views{};
    // Shown instead of a chart whose catches are too few.
    std::array<QLabel *, ChartCount> TooFewLabels{};
    std::array<QPushButton *, ChartCount> SaveButtons{};
    QLabel *SummaryLabel = nullptr;

Q_SIGNALS:
    // A chart was written to the file at path.
    void Saved(const QString &path);

private:
    void Show(const BiteTimes &times);
    void Fill(Chart chart, int resting, const QList<qreal> &values, double top);

    std::array<QBarSet *, ChartCount> m_sets{};
    std::array<QValueAxis *, ChartCount> m_axes{};
    std::array<QString, ChartCount> m_titles;
    // The share of the day each time takes up, beside the share caught in it.
    QBarSet *m_dayShare = nullptr;
};
