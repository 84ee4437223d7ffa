#include "catchlog/CatchLogCharts.h"

#include "widgets/ChartParts.h"

#include "base/CheckedFile.h"
#include "diary/CatchLog.h"
#include "diary/CatchLogStats.h"
#include "diary/CatchValues.h"
#include "widgets/ExportFile.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QHorizontalBarSeries>
#include <QLabel>
#include <QPushButton>
#include <QScatterSeries>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>

namespace {
// Species beyond these share one bar, so that the names stay readable.
constexpr int SpeciesBars = 10;
constexpr int GroupRows = 10;
const QColor BarColor(0, 0, 128);

QTableWidget *NewGroupTable(const QString &what, const char *name, QWidget *parent)
{
    auto *table = new QTableWidget(0, 4, parent);
    table->setObjectName(QLatin1String(name));
    table->setHorizontalHeaderLabels(
        {what, QStringLiteral("Połowów"), QStringLiteral("Razem (kg)"), QStringLiteral("Największa (kg)")});
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(18);
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (int c = 1; c < 4; ++c)
        table->horizontalHeader()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    return table;
}
} // namespace

CatchLogCharts::CatchLogCharts(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("CatchLogCharts"));
}

void CatchLogCharts::setVisible(bool visible)
{
    // Built before the page turns visible, so that the new controls are shown with it.
    if (visible)
        Build();
    QWidget::setVisible(visible);
}

void CatchLogCharts::Build()
{
    if (MonthChart)
        return;
    CreateMonthChart();
    CreateSpeciesChart();
    CreateScatterChart();
    BaitsTable = NewGroupTable(QStringLiteral("Przynęta"), "BaitsTable", this);
    PlacesTable = NewGroupTable(QStringLiteral("Miejsce"), "PlacesTable", this);

    auto *tables = new QVBoxLayout;
    auto heading = [this](const QString &text) {
        auto *label = new QLabel(text, this);
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        return label;
    };
    tables->addWidget(heading(QStringLiteral("Najlepsze przynęty")));
    tables->addWidget(BaitsTable);
    tables->addWidget(heading(QStringLiteral("Najlepsze łowiska")));
    tables->addWidget(PlacesTable);

    auto saveButton = [this](const char *name, const QString &text, QChartView *view, const QString &file) {
        auto *button = new QPushButton(text, this);
        button->setObjectName(QLatin1String(name));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, view, file] { SaveChart(view, file); });
        return button;
    };
    SaveMonthButton =
        saveButton("SaveMonthButton", QStringLiteral("Miesiące…"), MonthChart, QStringLiteral("polowy-miesiace.png"));
    SaveSpeciesButton =
        saveButton("SaveSpeciesButton", QStringLiteral("Gatunki…"), SpeciesChart, QStringLiteral("polowy-gatunki.png"));
    SaveScatterButton = saveButton("SaveScatterButton", QStringLiteral("Waga i długość…"), ScatterChart,
                                   QStringLiteral("polowy-waga-dlugosc.png"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(new QLabel(QStringLiteral("Zapisz wykres jako PNG:"), this));
    buttons->addWidget(SaveMonthButton);
    buttons->addWidget(SaveSpeciesButton);
    buttons->addWidget(SaveScatterButton);
    buttons->addStretch();

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(4, 4, 4, 4);
    grid->addWidget(MonthChart, 0, 0);
    grid->addWidget(SpeciesChart, 0, 1);
    grid->addWidget(ScatterChart, 1, 0);
    grid->addLayout(tables, 1, 1);
    grid->addLayout(buttons, 2, 0, 1, 2);
}

void CatchLogCharts::CreateMonthChart()
{
    QChart *chart = NewChart(QStringLiteral("Połowy w miesiącach roku"));
    m_monthSet = new QBarSet(QStringLiteral("Połowy"));
    m_monthSet->setColor(BarColor);
    for (int month = 0; month < 12; ++month)
        m_monthSet->append(0);
    auto *series = new QBarSeries;
    series->append(m_monthSet);
    chart->addSeries(series);
    auto *months = new QBarCategoryAxis;
    months->append({QStringLiteral("sty"), QStringLiteral("lut"), QStringLiteral("mar"), QStringLiteral("kwi"),
                    QStringLiteral("maj"), QStringLiteral("cze"), QStringLiteral("lip"), QStringLiteral("sie"),
                    QStringLiteral("wrz"), QStringLiteral("paź"), QStringLiteral("lis"), QStringLiteral("gru")});
    chart->addAxis(months, Qt::AlignBottom);
    series->attachAxis(months);
    m_monthAxis = new QValueAxis;
    m_monthAxis->setTitleText(QStringLiteral("Liczba połowów"));
    chart->addAxis(m_monthAxis, Qt::AlignLeft);
    series->attachAxis(m_monthAxis);
    UseSmallLabels(chart);
    MonthChart = NewView(chart, "MonthChart", this);
}

void CatchLogCharts::CreateSpeciesChart()
{
    QChart *chart = NewChart(QStringLiteral("Połowy według gatunków"));
    m_speciesSet = new QBarSet(QStringLiteral("Połowy"));
    m_speciesSet->setColor(QColor(40, 110, 60));
    auto *series = new QHorizontalBarSeries;
    series->append(m_speciesSet);
    chart->addSeries(series);
    m_speciesNames = new QBarCategoryAxis;
    chart->addAxis(m_speciesNames, Qt::AlignLeft);
    series->attachAxis(m_speciesNames);
    m_speciesAxis = new QValueAxis;
    chart->addAxis(m_speciesAxis, Qt::AlignBottom);
    series->attachAxis(m_speciesAxis);
    UseSmallLabels(chart);
    SpeciesChart = NewView(chart, "SpeciesChart", this);
}

void CatchLogCharts::CreateScatterChart()
{
    QChart *chart = NewChart(QStringLiteral("Waga a długość"));
    m_scatter = new QScatterSeries;
    m_scatter->setName(QStringLiteral("Połowy"));
    m_scatter->setMarkerSize(7);
    m_scatter->setColor(QColor(180, 40, 30));
    m_scatter->setBorderColor(QColor(120, 20, 10));
    // OpenGL would draw a long diary faster but needs a context the offscreen and remote
    // sessions lack; the points are thinned to a few thousand instead.
    chart->addSeries(m_scatter);
    m_lengthAxis = new QValueAxis;
    m_lengthAxis->setTitleText(QStringLiteral("Długość (cm)"));
    m_lengthAxis->setLabelFormat(QStringLiteral("%.0f"));
    m_weightAxis = new QValueAxis;
    m_weightAxis->setTitleText(QStringLiteral("Waga (kg)"));
    m_weightAxis->setLabelFormat(QStringLiteral("%.1f"));
    chart->addAxis(m_lengthAxis, Qt::AlignBottom);
    chart->addAxis(m_weightAxis, Qt::AlignLeft);
    m_scatter->attachAxis(m_lengthAxis);
    m_scatter->attachAxis(m_weightAxis);
    UseSmallLabels(chart);
    ScatterChart = NewView(chart, "ScatterChart", this);
}

void CatchLogCharts::Update(const CatchLogStats &stats)
{
    Build();
    int most = 0;
    for (int month = 0; month < 12; ++month) {
        m_monthSet->replace(month, stats.perMonth[size_t(month)]);
        most = std::max(most, stats.perMonth[size_t(month)]);
    }
    SetCountRange(m_monthAxis, most);

    // The horizontal bars run from the bottom up: the most caught species goes last.
    QStringList names;
    QList<qreal> counts;
    int others = 0;
    for (size_t i = 0; i < stats.species.size(); ++i) {
        if (int(i) < SpeciesBars) {
            names.prepend(stats.species[i].name);
            counts.prepend(stats.species[i].count);
        } else {
            others += stats.species[i].count;
        }
    }
    if (others > 0) {
        names.prepend(QStringLiteral("pozostałe"));
        counts.prepend(others);
    }
    m_speciesSet->remove(0, m_speciesSet->count());
    m_speciesNames->clear();
    m_speciesNames->append(names);
    m_speciesSet->append(counts);
    SetCountRange(m_speciesAxis, counts.isEmpty() ? 0 : *std::max_element(counts.begin(), counts.end()));

    double longest = 0, heaviest = 0;
    QList<QPointF> points;
    points.reserve(qsizetype(stats.lengthWeight.size()));
    for (const QPointF &p : stats.lengthWeight) {
        points.append(p);
        longest = std::max(longest, p.x());
        heaviest = std::max(heaviest, p.y());
    }
    m_scatter->replace(points);
    m_lengthAxis->setRange(0, std::max(10.0, longest * 1.05));
    m_lengthAxis->applyNiceNumbers();
    m_weightAxis->setRange(0, std::max(1.0, heaviest * 1.05));
    m_weightAxis->applyNiceNumbers();

    FillGroups(BaitsTable, stats.baits);
    FillGroups(PlacesTable, stats.places);
}

void CatchLogCharts::FillGroups(QTableWidget *table, const std::vector<CatchGroup> &groups)
{
    const int rows = std::min(GroupRows, int(groups.size()));
    table->setRowCount(rows);
    for (int r = 0; r < rows; ++r) {
        const CatchGroup &group = groups[size_t(r)];
        // A group of fish nobody weighed shows blank weights, not a weighed 0.
        const QString cells[] = {group.name, QString::number(group.count), CatchValues::MeasureText(group.weight),
                                 CatchValues::MeasureText(group.heaviest)};
        for (int c = 0; c < 4; ++c) {
            auto *item = new QTableWidgetItem(cells[c]);
            if (c > 0)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(r, c, item);
        }
    }
}

void CatchLogCharts::SaveChart(QChartView *view, const QString &suggestedName)
{
    const QString saved = SaveChartPng(this, view, suggestedName);
    if (!saved.isEmpty())
        Q_EMIT Saved(saved);
}
