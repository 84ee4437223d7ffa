// The program's own start-up for BenchStartup: the same steps as main(), on the build's
// data folder, ending at the main window's first paint. With --engine the guide viewer
// opens a chapter before the main window is shown, as an eager engine start would.

#include "app/MainFrmUnit.h"
#include "app/Startup.h"
#include "app/TApplication.h"
#include "base/ProgramPaths.h"
#include "guide/OpisFrmUnit.h"
#include "guide/TWebBrowser.h"
#include "widgets/AppWindows.h"

#include <QEvent>
#include <QTimer>

#include <cstdlib>
#include <cstring>

namespace {
class FirstPaint : public QObject
{
protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            QTimer::singleShot(0, [] { std::_Exit(0); });
        return false;
    }
};
} // namespace

int main(int argc, char *argv[])
{
    // --dir <folder>: a program folder of its own (a diary of a chosen size).
    const bool ownFolder = argc == 3 && std::strcmp(argv[1], "--dir") == 0;
    OverrideExecutableFolder(ownFolder ? QString::fromLocal8Bit(argv[2]) : QStringLiteral(RYBOWID_RUNTIME_DIR "/"));
    PrepareWebEngine();
    TApplication app(argc, argv);
    InitApplication(app);
    CreateWindows();
    if (argc == 2 && std::strcmp(argv[1], "--engine") == 0 && Windows().OpisFrm)
        Windows().OpisFrm->Browser->Navigate(ExecutableFolder() + QStringLiteral("data/html/rozdzial_1/index.html"));
    FirstPaint paint;
    if (Windows().MainFrm)
        Windows().MainFrm->installEventFilter(&paint);
    return RunApplication();
}
