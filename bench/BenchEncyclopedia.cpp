// Browsing the encyclopedia at key-repeat speed: one Right key on the panel grid, which
// moves to the next species, decodes its picture for the frame and repaints the view,
// against decoding the same pictures at full size. The shipped species and pictures are
// used, from a copy of the build's data folder.

#include "BenchFixture.h"
#include "BenchRatio.h"

#include "base/JpegImage.h"
#include "base/ProgramPaths.h"
#include "data/TDbConnection.h"
#include "data/TDbTable.h"
#include "data/TField.h"
#include "encyclopedia/EncyklopediaFrmUnit.h"
#include "widgets/AppWindows.h"
#include "widgets/TDBCtrlGrid.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

struct Fixture
{
    QTemporaryDir dir;
    TDbConnection connection;
    std::unique_ptr<TEncyklopediaFrm> view;
    QStringList pictures; // in the table's order

    Fixture()
    {
        const QString runtime = QStringLiteral(RYBOWID_RUNTIME_DIR);
        QDir(dir.path()).mkpath(QStringLiteral("data"));
        QFile::copy(runtime + QStringLiteral("/data/wedkarz.db"), dir.filePath(QStringLiteral("data/wedkarz.db")));
        QFile::link(runtime + QStringLiteral("/data/encyklopedia"), dir.filePath(QStringLiteral("data/encyklopedia")));
        OverrideExecutableFolder(QDir::toNativeSeparators(dir.path()) + QDir::separator());
        connection.SetDriverDLL(runtime + QLatin1Char('/') + SqliteLibraryFileName());
        connection.SetDefaultDir(QDir::toNativeSeparators(dir.filePath(QStringLiteral("data"))));
        connection.SetDatabase(QStringLiteral("wedkarz.db"));
        connection.SetConnected(true);
        Windows().DataBase = &connection;
        view = std::make_unique<TEncyklopediaFrm>();
        view->show();
        QApplication::processEvents();
        TDbTable *table = view->rybyTable;
        for (table->First(); !table->Eof(); table->Next())
            pictures << dir.filePath(QStringLiteral("data/encyklopedia/") +
                                     table->FieldByName(QStringLiteral("zdjecie"))->AsString());
        table->First();
    }
};

Fixture &fixture()
{
    return SharedFixture<Fixture>();
}

void BM_NextSpecies(benchmark::State &state)
{
    Fixture &f = fixture();
    TDBCtrlGrid *grid = f.view->DBCtrlGrid1;
    std::vector<double> times;
    QElapsedTimer clock;
    for (auto _ : state) {
        if (f.view->rybyTable->GetRecNo() == f.view->rybyTable->GetRecordCount()) {
            state.PauseTiming();
            f.view->rybyTable->First();
            f.view->repaint();
            state.ResumeTiming();
        }
        clock.start();
        QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
        QApplication::sendEvent(grid, &right);
        f.view->repaint();
        times.push_back(clock.nsecsElapsed() / 1e6);
    }
    state.counters["median_ms"] = Median(times);
}

void BM_FullSizeDecode(benchmark::State &state)
{
    Fixture &f = fixture();
    std::vector<double> times;
    QElapsedTimer clock;
    int next = 1;
    for (auto _ : state) {
        clock.start();
        const QImage picture = LoadJpeg(f.pictures[next]);
        benchmark::DoNotOptimize(picture.constBits());
        times.push_back(clock.nsecsElapsed() / 1e6);
        next = (next + 1) % int(f.pictures.size());
    }
    state.counters["median_ms"] = Median(times);
}

BENCHMARK(BM_NextSpecies)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_FullSizeDecode)->Unit(benchmark::kMillisecond)->MinTime(1.0);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter(std::vector<RatioReporter::Ratio>{{"BM_NextSpecies", "BM_FullSizeDecode"}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    FixtureHolder<Fixture>().reset();
    return 0;
}
