#include "app/Startup.h"

#include "app/MainFrmUnit.h"
#include "app/TApplication.h"
#include "calendar/CalendarFrmUnit.h"
#include "calendar/DayFrmUnit.h"
#include "data/DataLayerMessage.h"
#include "encyclopedia/EncyklopediaFrmUnit.h"
#include "guide/AboutFrmUnit.h"
#include "guide/OpisFrmUnit.h"
#include "guide/ReklamaFrmUnit.h"
#include "quiz/TestyPrzepisyFrmUnit.h"
#include "quiz/TestyRybyFrmUnit.h"
#include "widgets/AppWindows.h"
#include "widgets/InfoUnit.h"
#include "widgets/Platform.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QTranslator>

#if defined(Q_OS_UNIX)
#include <unistd.h>
#endif

namespace {
template <typename Window> void CreateWindow(Window *&slot, QWidget *parent)
{
    try {
        slot = new Window(parent);
    } catch (...) {
        slot = nullptr;
        ShowCurrentException();
    }
}

template <typename Window> void DestroyWindow(Window *&slot)
{
    delete slot;
    slot = nullptr;
}
} // namespace

void PrepareWebEngine()
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
#if defined(Q_OS_UNIX)
    // The web engine's sandbox refuses to start under root and takes the view down with it.
    if (geteuid() == 0) {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
        QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
        if (!flags.contains("--no-sandbox")) {
            if (!flags.isEmpty())
                flags += ' ';
            flags += "--no-sandbox";
            qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
        }
    }
#endif
}

void InitApplication(QApplication &app)
{
    QCoreApplication::setApplicationName(TApplication::Title());
    // Ties the windows to the installed desktop entry and its icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("pl.rybowid.Rybowid"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("pl.rybowid.Rybowid")));

    auto *translator = new QTranslator(&app);
    if (translator->load(QStringLiteral("qtbase_pl"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);

    QFont font(QStringLiteral("Sans Serif"), 8);
    font.setStyleHint(QFont::SansSerif);
    QApplication::setFont(font);

    SetDataLayerMessageHandler([](const QString &text) {
        Platform::ShowMessage(QApplication::activeWindow(), TApplication::Title(), text, Platform::Icon::Information);
    });
}

void CreateWindows()
{
    AppWindows &w = Windows();
    CreateWindow(w.MainFrm, nullptr);
    w.DataBase = w.MainFrm ? w.MainFrm->DataBase : nullptr;
    // Dialogs belong to the main window; views start free-standing until they are docked.
    QWidget *const owner = w.MainFrm;
    CreateWindow(w.AboutFrm, owner);
    CreateWindow(w.CalendarFrm, nullptr);
    CreateWindow(w.DayFrm, owner);
    CreateWindow(w.EncyklopediaFrm, nullptr);
    CreateWindow(w.TestyRybyFrm, nullptr);
    CreateWindow(w.TestyPrzepisyFrm, nullptr);
    CreateWindow(w.InfoFrm, owner);
    CreateWindow(w.OpisFrm, owner);
    CreateWindow(w.ReklamaFrm, owner);
}

int RunApplication()
{
    TMainFrm *const mainFrm = Windows().MainFrm;
    if (!mainFrm)
        return 1;
    mainFrm->show();
    return QApplication::exec();
}

void DestroyWindows()
{
    AppWindows &w = Windows();
    // Reverse order: docked views and dialogs go before the main window that holds them.
    DestroyWindow(w.ReklamaFrm);
    DestroyWindow(w.OpisFrm);
    DestroyWindow(w.InfoFrm);
    DestroyWindow(w.TestyPrzepisyFrm);
    DestroyWindow(w.TestyRybyFrm);
    DestroyWindow(w.EncyklopediaFrm);
    DestroyWindow(w.DayFrm);
    DestroyWindow(w.CalendarFrm);
    DestroyWindow(w.AboutFrm);
    w.DataBase = nullptr;
    DestroyWindow(w.MainFrm);
}
