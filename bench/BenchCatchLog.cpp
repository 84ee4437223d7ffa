// Searching a long diary: 100,000 catches in the catch log window, one filter typed
// after another, each applied to the table, the totals and the charts and drawn, on
// the table page and on the statistics page, against the bare in-memory filter.
// The window's target is a median of at most 100 ms per filter.
// Opening the log (reading the whole diary, judging it against the rules, sorting,
// filtering, the register page) must take at most 2 times a bare sqlite3_step loop
// reading the same columns with 100,000 catches over ten years, and at most 1.5 times with
// 10,000 over 2,900 days, where what is done once per day weighs ten times as much; the
// register of a year with 10,000 kept fish is built in at most 200 ms. "Kiedy biorą" for
// the 100,000 catches, every one with its hour, takes no longer than reading them.

#include "BenchFixture.h"
#include "BenchRatio.h"

#include "base/ProgramPaths.h"
#include "catchlog/BiteTimesPage.h"
#include "catchlog/CatchLogFrmUnit.h"
#include "data/TDbConnection.h"
#include "diary/CatchLog.h"
#include "diary/CatchRegister.h"
#include "diary/DiarySchema.h"
#include "widgets/AppWindows.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

struct Fixture
{
    QTemporaryDir dir;
    TDbConnection connection;
    std::unique_ptr<TCatchLogFrm> window;

    Fixture(int catches, int days)
    {
        const QString runtime = QStringLiteral(RYBOWID_RUNTIME_DIR);
        QDir(dir.path()).mkpath(QStringLiteral("data/foto"));
        QFile::copy(runtime + QStringLiteral("/data/wedkarz.db"), dir.filePath(QStringLiteral("data/wedkarz.db")));
        QFile(dir.filePath(QStringLiteral("data/wedkarz.db")))
            .setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        Use();
        connection.SetDriverDLL(runtime + QLatin1Char('/') + SqliteLibraryFileName());
        connection.SetDefaultDir(QDir::toNativeSeparators(dir.filePath(QStringLiteral("data"))));
        connection.SetDatabase(QStringLiteral("wedkarz.db"));
        connection.SetConnected(true);
        // Twelve species, thirty places, fifteen baits.
        connection.ExecStatement(QStringLiteral("delete from dziennik"));
        connection.ExecStatement(
            QStringLiteral(
                "with recursive n(i) as (select 0 union all select i + 1 from n where i < %1) "
                "insert into dziennik (data,gatunek,waga,dlugosc,miejsce,przyneta,wiatr,faza_ksiezyca,opis,foto) "
                "select date('2016-01-01', '+' || (i * 7919 % %2) || ' days'), "
                "case i % 12 when 0 then 'Szczupak' when 1 then 'Okoń' when 2 then 'Sandacz' "
                "when 3 then 'Leszcz' when 4 then 'Płoć' when 5 then 'Karp' when 6 then 'Lin' "
                "when 7 then 'Węgorz' when 8 then 'Sum' when 9 then 'Jaź' when 10 then 'Kleń' "
                "else 'Boleń' end, (i * 37 % 1500) / 100.0, "
                "15 + (i * 37 % 1500) / 15.0 + i % 7, 'Łowisko nr ' || (i % 30), "
                "'przynęta ' || (i % 15), 'SW', 'pełnia', "
                "case when i % 4 = 0 then 'z łodzi, rano' else '' end, '' from n")
                .arg(catches - 1)
                .arg(days));
        UpgradeDiarySchema(connection);
        // Every catch with its hour, most of them in daylight.
        connection.ExecStatement(
            QStringLiteral("update dziennik set godzina = printf('%02d:%02d', 4 + rowid * 5 % 18, rowid * 13 % 60)"));
        // One fish in eight went back.
        connection.ExecStatement(QStringLiteral("update dziennik set zabrana = 0 where rowid % 8 = 0"));
        window = std::make_unique<TCatchLogFrm>();
        window->Reload();
        window->show();
        QApplication::processEvents();
    }

    // The windows read the diary and the program folder of the fixture last used.
    void Use()
    {
        OverrideExecutableFolder(QDir::toNativeSeparators(dir.path()) + QDir::separator());
        Windows().DataBase = &connection;
    }
};

template <int Catches, int Days> struct DiaryOf : Fixture
{
    DiaryOf() : Fixture(Catches, Days) {}
};
using LongDiary = DiaryOf<100000, 3653>;
using UsualDiary = DiaryOf<10000, 2900>;

// The diary of a keen angler over ten seasons, and of a usual one over eight.
template <typename Diary = LongDiary> Fixture &fixture()
{
    Fixture &f = SharedFixture<Diary>();
    f.Use();
    return f;
}

// Place filters typed one after another, from none to narrow.
const QString Typed[] = {QString(), QStringLiteral("Ł"), QStringLiteral("nr 1"), QStringLiteral("nr 12"),
                         QStringLiteral("nr 2")};

void FilterAndDraw(benchmark::State &state, int page)
{
    Fixture &f = fixture();
    f.window->Pages->setCurrentIndex(page);
    QApplication::processEvents();
    std::vector<double> times;
    QElapsedTimer clock;
    size_t next = 0;
    for (auto _ : state) {
        clock.start();
        f.window->PlaceEdit->setText(Typed[next++ % std::size(Typed)]);
        f.window->repaint();
        times.push_back(clock.nsecsElapsed() / 1e6);
    }
    state.counters["median_ms"] = Median(times);
    state.counters["shown"] = double(f.window->Log().Shown().size());
}

void BM_FilterTablePage(benchmark::State &state)
{
    FilterAndDraw(state, 0);
}

void BM_FilterStatisticsPage(benchmark::State &state)
{
    FilterAndDraw(state, 1);
}

void BM_FilterInMemory(benchmark::State &state)
{
    CatchLog log;
    log.SetRecords(fixture().window->Log().Records());
    std::vector<double> times;
    QElapsedTimer clock;
    size_t next = 0;
    for (auto _ : state) {
        clock.start();
        CatchLogFilter filter;
        filter.place = Typed[next++ % std::size(Typed)];
        log.Apply(filter);
        benchmark::DoNotOptimize(log.Shown().data());
        times.push_back(clock.nsecsElapsed() / 1e6);
    }
    state.counters["median_ms"] = Median(times);
}

// Opening the window reads the whole diary again. It is timed as the window first
// opens, on its table with no filter typed: the filtering benchmarks above leave it on
// the statistics page, whose charts are timed there.
void ShowTablePage(Fixture &f)
{
    f.window->Pages->setCurrentIndex(0);
    f.window->PlaceEdit->clear();
    QApplication::processEvents();
}

double ReloadMs(Fixture &f)
{
    QElapsedTimer clock;
    clock.start();
    f.window->Reload();
    return clock.nsecsElapsed() / 1e6;
}

void ReadWholeDiary(benchmark::State &state, Fixture &f)
{
    ShowTablePage(f);
    std::vector<double> times;
    for (auto _ : state)
        times.push_back(ReloadMs(f));
    state.counters["median_ms"] = Median(times);
}

// What opening the log cannot do faster: step through the same columns, each read.
double BareStepMs(Fixture &f)
{
    const SqliteApi &api = f.connection.Api();
    QElapsedTimer clock;
    clock.start();
    sqlite3_stmt *stmt = nullptr;
    api.prepare(f.connection.Handle(),
                "select rowid, data, gatunek, waga, dlugosc, miejsce, przyneta, wiatr, faza_ksiezyca, opis, "
                "foto, zabrana, godzina from dziennik",
                -1, &stmt, nullptr);
    qint64 bytes = 0;
    while (api.step(stmt) == SQLITE_ROW) {
        bytes += api.column_int64(stmt, 0);
        for (int c : {1, 2, 5, 6, 7, 8, 9, 10, 12}) {
            benchmark::DoNotOptimize(api.column_text(stmt, c));
            bytes += api.column_bytes(stmt, c);
        }
        benchmark::DoNotOptimize(api.column_double(stmt, 3) + api.column_double(stmt, 4) +
                                 api.column_double(stmt, 11));
    }
    api.finalize(stmt);
    benchmark::DoNotOptimize(bytes);
    return clock.nsecsElapsed() / 1e6;
}

void BareStepLoop(benchmark::State &state, Fixture &f)
{
    std::vector<double> times;
    for (auto _ : state)
        times.push_back(BareStepMs(f));
    state.counters["median_ms"] = Median(times);
}

void BM_ReadWholeDiary(benchmark::State &state)
{
    ReadWholeDiary(state, fixture());
}

void BM_BareStepLoop(benchmark::State &state)
{
    BareStepLoop(state, fixture());
}

// A usual diary opens in a few milliseconds, where the shared machine's stalls matter as
// much as the work: the log's opening and the bare loop are timed in turn, and their
// medians compared, so that both meet the same moments of the machine.
void BM_ReadUsualDiary(benchmark::State &state)
{
    Fixture &f = fixture<UsualDiary>();
    ShowTablePage(f);
    std::vector<double> reads, bare;
    for (auto _ : state) {
        bare.push_back(BareStepMs(f));
        reads.push_back(ReloadMs(f));
    }
    state.counters["median_ms"] = Median(reads);
    state.counters["bare_median_ms"] = Median(bare);
    state.counters["ratio"] = Median(bare) > 0 ? Median(reads) / Median(bare) : 0;
}

// "Kiedy biorą" for the whole long diary: the sky of every one of its days, every catch
// set against it, the charts filled.
void BM_BiteTimes(benchmark::State &state)
{
    Fixture &f = fixture();
    std::vector<double> times;
    QElapsedTimer clock;
    const std::vector<Water> waters;
    const Astronomy::Site centre{52.0692, 19.4803};
    for (auto _ : state) {
        clock.start();
        f.window->BitePage->Update(f.window->Log(), waters, centre);
        times.push_back(clock.nsecsElapsed() / 1e6);
    }
    state.counters["median_ms"] = Median(times);
}

// The register of the year with the most kept fish of the diary (over 10,000).
void BM_YearRegister(benchmark::State &state)
{
    const std::vector<CatchRecord> &records = fixture().window->Log().Records();
    const std::vector<Water> waters{{QStringLiteral("Łowisko nr 1"), QStringLiteral("1"), {}},
                                    {QStringLiteral("Łowisko nr 2"), QStringLiteral("2"), {}}};
    std::vector<double> times;
    QElapsedTimer clock;
    int kept = 0;
    for (auto _ : state) {
        clock.start();
        const CatchRegister reg = CatchRegister::Build(records, waters, 2019);
        kept = reg.count;
        times.push_back(clock.nsecsElapsed() / 1e6);
    }
    state.counters["median_ms"] = Median(times);
    state.counters["kept"] = kept;
}

BENCHMARK(BM_FilterTablePage)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_FilterStatisticsPage)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_FilterInMemory)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_ReadWholeDiary)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_BiteTimes)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_BareStepLoop)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_ReadUsualDiary)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_YearRegister)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter({{"BM_FilterTablePage", "BM_FilterInMemory"},
                            {"BM_FilterStatisticsPage", "BM_FilterInMemory"},
                            {"BM_ReadWholeDiary", "BM_BareStepLoop", 2.0},
                            {"BM_ReadUsualDiary", "its bare step loop, in turn", 1.5},
                            {"BM_BiteTimes", "BM_ReadWholeDiary", 1.0}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    FixtureHolder<LongDiary>().reset();
    FixtureHolder<UsualDiary>().reset();
    return 0;
}
