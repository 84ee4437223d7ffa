#pragma once

#include <QWidget>

class QBarCategoryAxis;
class QBarSet;
class QChartView;
class QPushButton;
class QScatterSeries;
class QTableWidget;
class QValueAxis;
struct CatchGroup;
struct CatchLogStats;

// The statistics page of the catch log: catches per month of the year and per species,
// weight against length, the best baits and places, each chart savable as a picture.
// The charts are built when the page is first shown or updated, not with the window,
// which is created hidden at start-up; until then the controls below are null.
class CatchLogCharts : public QWidget
{
    Q_OBJECT

public:
    explicit CatchLogCharts(QWidget *parent = nullptr);

    // Builds the charts if they are not yet, then fills them.
    void Update(const CatchLogStats &stats);
    // Asks for a file name and writes the chart there as PNG.
    void SaveChart(QChartView *view, const QString &suggestedName);

    QChartView *MonthChart = nullptr;
    QChartView *SpeciesChart = nullptr;
    QChartView *ScatterChart = nullptr;
    QTableWidget *BaitsTable = nullptr;
    QTableWidget *PlacesTable = nullptr;
    QPushButton *SaveMonthButton = nullptr;
    QPushButton *SaveSpeciesButton = nullptr;
    QPushButton *SaveScatterButton = nullptr;

    void setVisible(bool visible) override;

Q_SIGNALS:
    // A chart was written to the file at path.
    void Saved(const QString &path);

private:
    void Build();
    void CreateMonthChart();
    void CreateSpeciesChart();
    void CreateScatterChart();
    static void FillGroups(QTableWidget *table, const std::vector<CatchGroup> &groups);

    QBarSet *m_monthSet = nullptr;
    QValueAxis *m_monthAxis = nullptr;
    QBarSet *m_speciesSet = nullptr;
    QBarCategoryAxis *m_speciesNames = nullptr;
    QValueAxis *m_speciesAxis = nullptr;
    QScatterSeries *m_scatter = nullptr;
    QValueAxis *m_lengthAxis = nullptr;
    QValueAxis *m_weightAxis = nullptr;
};
