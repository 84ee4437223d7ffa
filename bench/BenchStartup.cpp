// Start-up of the program to its first painted main window, against a bare Qt window of
// the same size. Each figure is a whole process, from exec to the first paint, so that
// loading the libraries and any engine started early are counted: the web engine must
// wait until a guide chapter is opened. The program's start-up runs in the companion
// BenchStartupApp; the bare window is this program run with --bare, which links nothing
// but Qt Widgets. The goal of 1.5 against the bare window cannot be met by any window that
// shows text, so the fair floor is measured beside it: the bare window with one label,
// which loads the fonts (--label).

#include "BenchRatio.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLabel>
#include <QProcess>
#include <QTimer>
#include <QWidget>

#include <cstdlib>
#include <cstring>

namespace {

class FirstPaint : public QObject
{
protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        // Leave once the paint has been flushed, without tearing anything down.
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, [] { std::_Exit(0); });
        return false;
    }
};

int BareWindow(int argc, char **argv, bool withLabel)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(779, 598);
    if (withLabel)
        (new QLabel(QStringLiteral("Złowione ryby"), &window))->move(20, 20);
    FirstPaint paint;
    window.installEventFilter(&paint);
    window.show();
    return app.exec();
}

QString Program;

void Spawn(benchmark::State &state, const QString &program, const QStringList &arguments)
{
    for (auto _ : state) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(program, arguments);
        if (!child.waitForFinished(60000) || child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0) {
            state.SkipWithError("the child did not reach its first paint");
            break;
        }
    }
}

void BM_BareWindow(benchmark::State &state)
{
    Spawn(state, Program, {QStringLiteral("--bare")});
}

void BM_BareWindowWithLabel(benchmark::State &state)
{
    Spawn(state, Program, {QStringLiteral("--label")});
}

void BM_ProgramStartup(benchmark::State &state)
{
    Spawn(state, Program + QStringLiteral("App"), {});
}

// What the lazy start saves: the same start-up with the engine started before the show.
void BM_ProgramStartupEagerEngine(benchmark::State &state)
{
    Spawn(state, Program + QStringLiteral("App"), {QStringLiteral("--engine")});
}

BENCHMARK(BM_BareWindow)->Unit(benchmark::kMillisecond)->Iterations(15);
BENCHMARK(BM_BareWindowWithLabel)->Unit(benchmark::kMillisecond)->Iterations(15);
BENCHMARK(BM_ProgramStartup)->Unit(benchmark::kMillisecond)->Iterations(15);
BENCHMARK(BM_ProgramStartupEagerEngine)->Unit(benchmark::kMillisecond)->Iterations(15);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc == 2 && std::strcmp(argv[1], "--bare") == 0)
        return BareWindow(argc, argv, false);
    if (argc == 2 && std::strcmp(argv[1], "--label") == 0)
        return BareWindow(argc, argv, true);
    Program = QString::fromLocal8Bit(argv[0]);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter({{"BM_ProgramStartup", "BM_BareWindow", 1.5},
                            {"BM_ProgramStartup", "BM_BareWindowWithLabel"},
                            {"BM_BareWindowWithLabel", "BM_BareWindow"},
                            {"BM_ProgramStartupEagerEngine", "BM_BareWindow"}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
