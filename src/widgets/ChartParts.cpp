#include "widgets/ChartParts.h"

#include "base/CheckedFile.h"
#include "widgets/ExportFile.h"

#include <QChart>
#include <QChartView>
#include <QLocale>
#include <QValueAxis>

QChart *NewChart(const QString &title)
{
    auto *chart = new QChart;
    chart->setTitle(title);
    chart->legend()->hide();
    chart->setLocalizeNumbers(true);
    chart->setLocale(QLocale(QLocale::Polish, QLocale::Poland));
    chart->setMargins(QMargins(4, 4, 4, 4));
    QFont heading = chart->titleFont();
    heading.setPointSize(9);
    heading.setBold(true);
    chart->setTitleFont(heading);
    return chart;
}

void UseSmallLabels(QChart *chart)
{
    for (QAbstractAxis *axis : chart->axes()) {
        QFont font = axis->labelsFont();
        font.setPointSize(8);
        axis->setLabelsFont(font);
        QFont title = axis->titleFont();
        title.setPointSize(8);
        axis->setTitleFont(title);
        axis->setTruncateLabels(false);
    }
}

QChartView *NewView(QChart *chart, const char *name, QWidget *parent)
{
    auto *view = new QChartView(chart, parent);
    view->setObjectName(QLatin1String(name));
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(300, 220);
    return view;
}

void SetCountRange(QValueAxis *axis, double top)
{
    axis->setRange(0, std::max(4.0, top));
    axis->applyNiceNumbers();
    // Localised labels take only the floating-point forms.
    axis->setLabelFormat(QStringLiteral("%.0f"));
}

QString SaveChartPng(QWidget *parent, QChartView *view, const QString &suggestedName)
{
    return ExportFile::Save(parent, ExportFile::Kind::Picture, QStringLiteral("Zapisz wykres jako PNG"), suggestedName,
                            QStringLiteral("Obraz PNG|*.png"), [view](const QString &path, QString *error) {
                                CheckedFile file(path);
                                if (view->grab().save(file.Device(), "PNG") && file.Commit())
                                    return true;
                                // A failed write to the disk has its reason; the picture
                                // writer's own failure has none.
                                *error = file.Error().isEmpty() ? QStringLiteral("nie udało się zapisać obrazu")
                                                                : file.Error();
                                return false;
                            });
}
