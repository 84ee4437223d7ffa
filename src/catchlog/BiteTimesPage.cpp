#include "catchlog/BiteTimesPage.h"

#include "widgets/ChartParts.h"
#include "diary/CatchLog.h"
#include "sky/BiteTimes.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLegend>
#include <QPushButton>
#include <QStackedLayout>
#include <QVBoxLayout>
#include <QValueAxis>

namespace {
const QColor BarColor(0, 0, 128);
const QColor DayColor(170, 170, 170);

// The digits of a stored yyyy-mm-dd, read without a date parser: a long diary has many.
int Digits(const QString &text, int from, int count)
{
    int value = 0;
    for (int i = from; i < from + count; ++i) {
        const char16_t c = text.at(i).unicode();
        if (c < '0' || c > '9')
            return -1;
        value = value * 10 + (c - '0');
    }
    return value;
}

// The stored day of a catch; 0 when it does not read as one.
TDateTime DayOf(const QString &day)
{
    if (day.size() < 10 || day.at(4) != QLatin1Char('-') || day.at(7) != QLatin1Char('-'))
        return 0;
    const int year = Digits(day, 0, 4), month = Digits(day, 5, 2), dayOfMonth = Digits(day, 8, 2);
    if (year < 1 || month < 1 || month > 12 || dayOfMonth < 1 || dayOfMonth > DaysInMonth(year, month))
        return 0;
    return EncodeDate(year, month, dayOfMonth);
}

// Minutes since midnight of a stored "HH:MM"; -1 for none.
int MinuteOf(const QString &hour)
{
    if (hour.size() != 5 || hour.at(2) != QLatin1Char(':'))
        return -1;
    const int h = Digits(hour, 0, 2), m = Digits(hour, 3, 2);
    return h >= 0 && h < 24 && m >= 0 && m < 60 ? h * 60 + m : -1;
}

QString Catches(int count)
{
    const int tens = count % 100, ones = count % 10;
    if (count == 1)
        return QStringLiteral("1 połów");
    if (ones >= 2 && ones <= 4 && (tens < 12 || tens > 14))
        return QStringLiteral("%1 połowy").arg(count);
    return QStringLiteral("%1 połowów").arg(count);
}
} // namespace

BiteTimesPage::BiteTimesPage(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("BiteTimesPage"));
    m_titles = {QStringLiteral("Połowy według faz księżyca"), QStringLiteral("Połowy w miesiącach roku"),
                QStringLiteral("Połowy według godzin"), QStringLiteral("Złowione w porach doby a ich udział w dobie (%)")};
    const std::array<QStringList, ChartCount> categories = {
        // Two lines each, so that eight phases fit under a half-width chart.
        QStringList{QStringLiteral("nów"), QStringLiteral("przyb.<br>sierp"), QStringLiteral("I<br>kwadra"),
                    QStringLiteral("przyb.<br>garb"), QStringLiteral("pełnia"), QStringLiteral("ub.<br>garb"),
                    QStringLiteral("III<br>kwadra"), QStringLiteral("ub.<br>sierp")},
        QStringList{QStringLiteral("sty"), QStringLiteral("lut"), QStringLiteral("mar"), QStringLiteral("kwi"),
                    QStringLiteral("maj"), QStringLiteral("cze"), QStringLiteral("lip"), QStringLiteral("sie"),
                    QStringLiteral("wrz"), QStringLiteral("paź"), QStringLiteral("lis"), QStringLiteral("gru")},
        [] {
            QStringList hours;
            for (int h = 0; h < 24; ++h)
                hours << QString::number(h);
            return hours;
        }(),
        QStringList{QStringLiteral("główne<br>okresy"), QStringLiteral("drugorzędne<br>okresy"),
                    QStringLiteral("wschód słońca<br>±30 min"), QStringLiteral("zachód słońca<br>±30 min")}};
    const char *const names[] = {"PhasesChart", "MonthsChart", "HoursChart", "PeriodsChart"};
    const QString files[] = {QStringLiteral("kiedy-biora-fazy.png"), QStringLiteral("kiedy-biora-miesiace.png"),
                             QStringLiteral("kiedy-biora-godziny.png"), QStringLiteral("kiedy-biora-okresy.png")};
    const QString buttons[] = {QStringLiteral("Fazy…"), QStringLiteral("Miesiące…"), QStringLiteral("Godziny…"),
                               QStringLiteral("Pory doby…")};

    SummaryLabel = new QLabel(this);
    SummaryLabel->setObjectName(QStringLiteral("SummaryLabel"));
    SummaryLabel->setWordWrap(true);
    auto *grid = new QGridLayout;
    auto *saveRow = new QHBoxLayout;
    saveRow->addWidget(new QLabel(QStringLiteral("Zapisz wykres jako PNG:"), this));
    for (int c = 0; c < ChartCount; ++c) {
        QChart *chart = NewChart(m_titles[size_t(c)]);
        auto *series = new QBarSeries;
        m_sets[size_t(c)] = new QBarSet(c == Periods ? QStringLiteral("złowione") : QStringLiteral("połowy"));
        m_sets[size_t(c)]->setColor(BarColor);
        series->append(m_sets[size_t(c)]);
        if (c == Periods) {
            m_dayShare = new QBarSet(QStringLiteral("udział w dobie"));
            m_dayShare->setColor(DayColor);
            series->append(m_dayShare);
            chart->legend()->show();
            chart->legend()->setAlignment(Qt::AlignBottom);
        }
        chart->addSeries(series);
        auto *axis = new QBarCategoryAxis;
        axis->append(categories[size_t(c)]);
        chart->addAxis(axis, Qt::AlignBottom);
        series->attachAxis(axis);
        m_axes[size_t(c)] = new QValueAxis;
        chart->addAxis(m_axes[size_t(c)], Qt::AlignLeft);
        series->attachAxis(m_axes[size_t(c)]);
        UseSmallLabels(chart);
        Views[size_t(c)] = NewView(chart, names[c], this);

        auto *tooFew = new QLabel(this);
        tooFew->setObjectName(QStringLiteral("TooFewLabel%1").arg(c));
        tooFew->setAlignment(Qt::AlignCenter);
        tooFew->setWordWrap(true);
        tooFew->setFrameShape(QFrame::StyledPanel);
        TooFewLabels[size_t(c)] = tooFew;
        auto *cell = new QWidget(this);
        auto *stack = new QStackedLayout(cell);
        stack->setContentsMargins(0, 0, 0, 0);
        stack->addWidget(Views[size_t(c)]);
        stack->addWidget(tooFew);
        grid->addWidget(cell, c / 2, c % 2);

        auto *save = new QPushButton(buttons[c], this);
        save->setObjectName(QStringLiteral("SaveButton%1").arg(c));
        save->setAutoDefault(false);
        QChartView *view = Views[size_t(c)];
        const QString file = files[c];
        connect(save, &QPushButton::clicked, this, [this, view, file] {
            const QString saved = SaveChartPng(this, view, file);
            if (!saved.isEmpty())
                Q_EMIT Saved(saved);
        });
        SaveButtons[size_t(c)] = save;
        saveRow->addWidget(save);
    }
    saveRow->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(SummaryLabel);
    layout->addLayout(grid, 1);
    layout->addLayout(saveRow);
}

void BiteTimesPage::Update(const CatchLog &log, const std::vector<Water> &waters, const Astronomy::Site &skyPlace)
{
    // Site 0 is the sky place; each water with a position adds its own. A place is looked
    // up once per distinct name, not once per catch.
    std::vector<Astronomy::Site> sites{skyPlace};
    std::vector<int> siteOfPlace(size_t(log.PlaceKeys().size()), 0);
    for (int key = 0; key < log.PlaceKeys().size(); ++key) {
        const Water *water = Waters::Named(waters, log.PlaceKeys()[key]);
        if (water && water->position) {
            siteOfPlace[size_t(key)] = int(sites.size());
            sites.push_back(*water->position);
        }
    }
    std::vector<BiteTimes::Moment> moments;
    moments.reserve(log.Shown().size());
    for (const int index : log.Shown()) {
        const CatchRecord &r = log.Records()[size_t(index)];
        const TDateTime day = DayOf(r.day);
        if (day == 0)
            continue;
        moments.push_back({day, MinuteOf(r.hour), r.placeKey >= 0 ? siteOfPlace[size_t(r.placeKey)] : 0});
    }
    Show(BiteTimes::Count(moments, sites));
}

void BiteTimesPage::Show(const BiteTimes &times)
{
    SummaryLabel->setText(QStringLiteral("Pokazane połowy: %1, z godziną połowu: %2. Niebo każdego dnia liczone jest "
                                         "dla położenia łowiska, a gdy go brak – dla miejsca obserwacji kalendarza.")
                              .arg(times.catches)
                              .arg(times.timed));
    auto counts = [](const auto &values) {
        QList<qreal> list;
        double top = 0;
        for (const int v : values) {
            list << v;
            top = std::max(top, double(v));
        }
        return std::pair{list, top};
    };
    const auto [phases, phasesTop] = counts(times.byPhase);
    Fill(Phases, times.catches, phases, phasesTop);
    const auto [months, monthsTop] = counts(times.byMonth);
    Fill(Months, times.catches, months, monthsTop);
    const auto [hours, hoursTop] = counts(times.byHour);
    Fill(Hours, times.timed, hours, hoursTop);

    QList<qreal> caught, day;
    for (const BiteTimes::Share *share : {&times.major, &times.minor, &times.sunrise, &times.sunset}) {
        caught << (times.timed > 0 ? 100.0 * share->inside / times.timed : 0);
        day << 100.0 * share->dayShare;
    }
    m_dayShare->remove(0, m_dayShare->count());
    m_dayShare->append(day);
    const double top = std::max(*std::max_element(caught.begin(), caught.end()), *std::max_element(day.begin(), day.end()));
    Fill(Periods, times.timed, caught, top);
}

void BiteTimesPage::Fill(Chart chart, int resting, const QList<qreal> &values, double top)
{
    QBarSet *set = m_sets[size_t(chart)];
    set->remove(0, set->count());
    set->append(values);
    if (chart == Periods) {
        m_axes[size_t(chart)]->setRange(0, std::max(10.0, top * 1.1));
        m_axes[size_t(chart)]->applyNiceNumbers();
        m_axes[size_t(chart)]->setLabelFormat(QStringLiteral("%.0f"));
    } else {
        SetCountRange(m_axes[size_t(chart)], top);
    }
    Views[size_t(chart)]->chart()->setTitle(
        QStringLiteral("%1 – %2").arg(m_titles[size_t(chart)], Catches(resting)));
    const bool tooFew = resting < BiteTimes::TooFew;
    TooFewLabels[size_t(chart)]->setText(
        QStringLiteral("%1\n\n%2 – za mało, by wyciągać z nich wnioski: wykres pokaże się od %3 połowów%4.")
            .arg(m_titles[size_t(chart)], Catches(resting))
            .arg(BiteTimes::TooFew)
            .arg(chart == Hours || chart == Periods ? QStringLiteral(" z wpisaną godziną") : QString()));
    auto *stack = static_cast<QStackedLayout *>(Views[size_t(chart)]->parentWidget()->layout());
    stack->setCurrentIndex(tooFew ? 1 : 0);
    // A chart not drawn has nothing to save.
    SaveButtons[size_t(chart)]->setEnabled(!tooFew);
}
