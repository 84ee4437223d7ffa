// What a long catch diary costs: choosing a day (the day's rows and the month's marks,
// painted), switching the month, and starting the program to its first painted main
// window, each with 1,000 and with 100,000 catches in dziennik. The ratio of each pair
// says how much more the larger diary costs.
//
// Both diaries hold the same ten catches a day around today, the larger one simply going
// back 27 years instead of 100 days, as a diary does after years of use.
//
// Times are CPU time (of this process, or of the started program) rather than wall
// time: the machine is shared, and what is compared is the work done, not the queue.

#include "BenchRatio.h"

#include "app/MainFrmUnit.h"
#include "app/Startup.h"
#include "app/TApplication.h"
#include "base/Clock.h"
#include "base/ProgramPaths.h"
#include "calendar/CalendarFrmUnit.h"
#include "calendar/TMonthCalendar.h"
#include "data/RowStatements.h"
#include "diary/CalendarStatements.h"
#include "support/TestSupport.h"
#include "widgets/AppWindows.h"
#include "widgets/Platform.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>
#include <memory>

namespace {

constexpr int CatchesPerDay = 10;

int DayOfMonth(TDateTime date)
{
    int year = 0, month = 0, day = 0;
    DecodeDate(date, year, month, day);
    return day;
}

// A program folder sharing the build's engine library and pictures, with the shipped
// database and a diary of the given size.
class ProgramFolder
{
public:
    explicit ProgramFolder(int catches)
    {
        const QString runtime = QStringLiteral(RYBOWID_RUNTIME_DIR);
        const QString root = m_dir.path();
        QDir(root).mkpath(QStringLiteral("data/foto"));
        for (const char *shared : {"data/grafika", "data/encyklopedia", "data/html"})
            QFile::link(runtime + QLatin1Char('/') + QLatin1String(shared),
                        root + QLatin1Char('/') + QLatin1String(shared));
        QFile::link(runtime + QLatin1Char('/') + SqliteLibraryFileName(),
                    root + QLatin1Char('/') + SqliteLibraryFileName());
        if (!QFile::copy(runtime + QStringLiteral("/data/wedkarz.db"), DbPath()))
            Fatal("cannot copy the shipped database");
        QFile::setPermissions(DbPath(), QFile::ReadOwner | QFile::WriteOwner);
        const QString sql =
            QStringLiteral(
                "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i + 1 < %1) "
                "INSERT INTO dziennik (data,gatunek,waga,dlugosc,miejsce,przyneta,wiatr,faza_ksiezyca,opis,foto) "
                "SELECT date('%2', '-' || (i / %3) || ' days'), 'Płoć', 0.25, 18, 'Zalew Zegrzyński', "
                "'białe robaki', 'SW', 'pełnia', 'Brały przy dnie, rano.', '' FROM n;")
                .arg(catches)
                .arg(DayText(Clock::Today()))
                .arg(CatchesPerDay);
        QString error;
        if (!TestSupport::ExecSql(DbPath(), sql, &error))
            Fatal(qPrintable(error));
        CheckPlans();
    }

    QString Path() const { return m_dir.path() + QLatin1Char('/'); }
    QString DbPath() const { return m_dir.path() + QStringLiteral("/data/wedkarz.db"); }

private:
    [[noreturn]] static void Fatal(const char *why)
    {
        std::fprintf(stderr, "BenchDiaryGrowth: %s\n", why);
        std::exit(1);
    }

    // The figures mean something only if the day's rows and the month's marks are
    // searched through the index on data, not read from the whole diary.
    void CheckPlans() const
    {
        sqlite3 *db = nullptr;
        sqlite3_open(QFile::encodeName(DbPath()).constData(), &db);
        const TDateTime today = Clock::Today();
        const QString statements[] = {
            TableSelectStatement(QStringLiteral("dziennik"), CalendarStatements::DayFilter(today), 0, 0),
            CalendarStatements::AssignedDays(today - DayOfMonth(today) + 1)};
        for (const QString &statement : statements) {
            sqlite3_stmt *plan = nullptr;
            sqlite3_prepare_v2(db, ("EXPLAIN QUERY PLAN " + statement).toUtf8().constData(), -1, &plan, nullptr);
            const bool stepped = plan && sqlite3_step(plan) == SQLITE_ROW;
            const QString detail =
                stepped ? QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(plan, 3))) : QString();
            sqlite3_finalize(plan);
            std::printf("plan: %s\n      %s\n", qPrintable(statement.simplified()), qPrintable(detail));
            if (!detail.contains(QStringLiteral("INDEX dziennik_data")))
                Fatal("the diary is read without its index on data");
        }
        sqlite3_close(db);
    }

    QTemporaryDir m_dir;
};

ProgramFolder &Folder(int catches)
{
    static std::map<int, std::unique_ptr<ProgramFolder>> folders;
    auto &folder = folders[catches];
    if (!folder)
        folder = std::make_unique<ProgramFolder>(catches);
    return *folder;
}

double ProcessCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

double ChildrenCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) * 1e-6;
}

// The program's windows on the folder's database, the main window shown and painted.
class RunningProgram
{
public:
    explicit RunningProgram(int catches)
    {
        OverrideExecutableFolder(Folder(catches).Path());
        CreateWindows();
        Windows().MainFrm->show();
        if (!QTest::qWaitForWindowExposed(Windows().MainFrm))
            std::fprintf(stderr, "BenchDiaryGrowth: the main window did not come up\n");
        QCoreApplication::processEvents();
    }
    ~RunningProgram() { DestroyWindows(); }
    TCalendarFrm *View() const { return Windows().CalendarFrm; }
};

void ChooseDay(benchmark::State &state, int catches)
{
    RunningProgram program(catches);
    TCalendarFrm *const view = program.View();
    const TDateTime today = Clock::Today();
    // Two days of the month on screen: today and the day before (after, on the 1st).
    const TDateTime days[] = {today, DayOfMonth(today) == 1 ? today + 1 : today - 1};
    int next = 0;
    for (auto _ : state) {
        const double start = ProcessCpuSeconds();
        view->MonthCalendar1->SetSelectedDate(days[next]);
        view->RefreshAssignedDays();
        QCoreApplication::processEvents();
        state.SetIterationTime(ProcessCpuSeconds() - start);
        next = 1 - next;
    }
    if (view->DayPanel->CheckBox1->isChecked() != (view->MonthCalendar1->SelectedDate() <= today))
        state.SkipWithError("the diary does not show the day's catches");
}

void SwitchMonth(benchmark::State &state, int catches)
{
    RunningProgram program(catches);
    TCalendarFrm *const view = program.View();
    bool back = true;
    for (auto _ : state) {
        const double start = ProcessCpuSeconds();
        if (back)
            view->SpeedButton2Click();
        else
            view->SpeedButton1Click();
        QCoreApplication::processEvents();
        state.SetIterationTime(ProcessCpuSeconds() - start);
        back = !back;
    }
}

// A whole process, from exec to the first paint of the main window (BenchStartupApp).
void Startup(benchmark::State &state, int catches)
{
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/BenchStartupApp");
    const QString folder = Folder(catches).Path();
    for (auto _ : state) {
        const double start = ChildrenCpuSeconds();
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(program, {QStringLiteral("--dir"), folder});
        if (!child.waitForFinished(60000) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
            state.SkipWithError("the program did not reach its first paint");
            break;
        }
        state.SetIterationTime(ChildrenCpuSeconds() - start);
    }
}

void Register(const char *name, void (*function)(benchmark::State &, int), int catches, int iterations)
{
    benchmark::RegisterBenchmark(name, function, catches)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(iterations)
        ->Repetitions(3)
        ->ReportAggregatesOnly(true);
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("RYBOWID_RUNTIME_DIR", RYBOWID_RUNTIME_DIR);
    PrepareWebEngine();
    TApplication app(argc, argv);
    InitApplication(app);
    // An error box would wait for a click that never comes; it is recorded instead.
    Platform::EnableTestMode();

    Register("ChooseDay_1k", ChooseDay, 1000, 200);
    Register("ChooseDay_100k", ChooseDay, 100000, 200);
    Register("SwitchMonth_1k", SwitchMonth, 1000, 100);
    Register("SwitchMonth_100k", SwitchMonth, 100000, 100);
    Register("Startup_1k", Startup, 1000, 10);
    Register("Startup_100k", Startup, 100000, 10);

    benchmark::Initialize(&argc, argv);
    RatioReporter reporter({{"ChooseDay_100k", "ChooseDay_1k", 1.2},
                            {"SwitchMonth_100k", "SwitchMonth_1k", 1.2},
                            {"Startup_100k", "Startup_1k", 1.2}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    if (!Platform::Records().isEmpty())
        std::fprintf(stderr, "BenchDiaryGrowth: %lld dialogs were raised\n", qlonglong(Platform::Records().size()));
    return 0;
}
