#include "app/Startup.h"

#include "app/CatchLogLinks.h"
#include "app/MainFrmUnit.h"
#include "app/TApplication.h"
#include "base/ProgramPaths.h"
#include "calendar/CalendarFrmUnit.h"
#include "calendar/DayFrmUnit.h"
#include "catchlog/CatchLogFrmUnit.h"
#include "data/DataLayerMessage.h"
#include "diary/UserDataFolder.h"
#include "encyclopedia/EncyklopediaFrmUnit.h"
#include "guide/AboutFrmUnit.h"
#include "guide/OpisFrmUnit.h"
#include "guide/ReklamaFrmUnit.h"
#include "quiz/EgzaminFrmUnit.h"
#include "quiz/NaukaFrmUnit.h"
#include "quiz/TestyPrzepisyFrmUnit.h"
#include "quiz/TestyRybyFrmUnit.h"
#include "widgets/AppWindows.h"
#include "widgets/StrayAltKeys.h"
#include "widgets/InfoUnit.h"
#include "widgets/Platform.h"
#include "widgets/TFocusFrame.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QLockFile>
#include <QSysInfo>
#include <QTranslator>

#include <memory>

#if defined(Q_OS_UNIX)
#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
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

    // Polish for Qt's own texts: the standard buttons and dialogs, and the web view's menus.
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    for (const char *catalogue : {"qtbase_pl", "qtwebengine_pl"}) {
        auto *translator = new QTranslator(&app);
        if (translator->load(QString::fromLatin1(catalogue), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(translator);
        else
            delete translator;
    }
    // The program's own texts that come from below the views in English.
    auto *own = new QTranslator(&app);
    if (own->load(QStringLiteral(":/i18n/rybowid_pl.qm")))
        QCoreApplication::installTranslator(own);

    QFont font(QStringLiteral("Sans Serif"), 8);
    font.setStyleHint(QFont::SansSerif);
    QApplication::setFont(font);
    TFocusFrame::FollowFocus();
#if defined(Q_OS_UNIX)
    // A file that outgrows the user's size limit (ulimit -f) would otherwise end the
    // program in the middle of a write; ignored, the write fails and the checked writer
    // reports it like a full disk.
    std::signal(SIGXFSZ, SIG_IGN);
#endif

    SetDataLayerMessageHandler([](const QString &text) {
        Platform::ShowMessage(QApplication::activeWindow(), TApplication::Title(), text, Platform::Icon::Information);
    });
}

namespace {
// Why a lock that another copy seems to hold may be no copy's at all, or "" when a copy
// running on this computer holds it.
QString DoubtfulLock(const QLockFile &lock, const QString &path)
{
    const QFileInfo file(path);
    if (!file.isFile() || file.isSymLink())
        return QStringLiteral("nie jest zwykłym plikiem");
    qint64 pid = 0;
    QString host, application;
    // An empty file is what a power cut leaves; a garbled one cannot name its owner.
    if (!lock.getLockInfo(&pid, &host, &application))
        return QStringLiteral("jest pusty, uszkodzony albo nie da się go odczytać");
    if (!host.isEmpty() && host != QSysInfo::machineHostName())
        return QStringLiteral("zapisała kopia programu uruchomiona na innym komputerze (%1)").arg(host);
    return {};
}

// Removes what stands in the lock's place: a file, a link, or an empty folder.
bool RemoveLock(const QString &path)
{
    const QFileInfo file(path);
    return file.isDir() && !file.isSymLink() ? QDir().rmdir(path) : QFile::remove(path);
}
} // namespace

std::unique_ptr<QLockFile> LockDataFolder(const QString &dataFolder)
{
    QDir().mkpath(dataFolder);
    const QString path = QDir(dataFolder).filePath(QStringLiteral("rybowid.lock"));
    auto lock = std::make_unique<QLockFile>(path);
    // Only a dead owner makes a lock stale, never its age: a copy may run for days.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0))
        return lock;
    if (lock->error() != QLockFile::LockFailedError) {
        // A folder where no lock can be written (read-only media) is not a second copy:
        // the program starts unlocked, and the database tells what it cannot do.
        return lock;
    }
    const QString doubt = DoubtfulLock(*lock, path);
    if (doubt.isEmpty()) {
        Platform::ShowMessage(nullptr, TApplication::Title(),
                              QStringLiteral("Rybowid jest już uruchomiony i pracuje na tym dzienniku połowów "
                                             "(%1). Przejdź do jego okna: dwie kopie programu naraz mogłyby "
                                             "zapisać jeden dziennik sprzecznie.")
                                  .arg(QDir::toNativeSeparators(dataFolder)),
                              Platform::Icon::Information);
        return nullptr;
    }
    const QString where = QDir::toNativeSeparators(path);
    if (!Platform::AskYesNo(nullptr, QStringLiteral("Pytanie:"),
                            QStringLiteral("Plik blokady dziennika połowów %1 %2, więc nie wiadomo, czy pracuje na "
                                           "nim inna kopia Rybowida. Jeśli żadna nie jest uruchomiona (na przykład "
                                           "po awarii zasilania), blokadę można przejąć.\n\nPrzejąć blokadę i "
                                           "uruchomić program?")
                                .arg(where, doubt)))
        return nullptr;
    if (RemoveLock(path) && lock->tryLock(0))
        return lock;
    Platform::ShowMessage(nullptr, TApplication::Title(),
                          QStringLiteral("Nie można przejąć blokady %1. Usuń ten plik albo folder i uruchom program "
                                         "ponownie.")
                              .arg(where),
                          Platform::Icon::Warning);
    return nullptr;
}

std::unique_ptr<QLockFile> LockDataFolder()
{
    return LockDataFolder(UserDataFolder::Path());
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
    CreateWindow(w.NaukaFrm, nullptr);
    CreateWindow(w.EgzaminFrm, nullptr);
    CreateWindow(w.InfoFrm, owner);
    CreateWindow(w.OpisFrm, owner);
    CreateWindow(w.ReklamaFrm, owner);
    CreateWindow(w.CatchLogFrm, owner);
    WireCatchLog();
    // Gone with the main window, and so out of the application's filters.
    if (w.MainFrm)
        qApp->installEventFilter(new StrayAltKeys(w.MainFrm));
}

#if defined(Q_OS_UNIX)
namespace {
// The write end of the pipe that turns SIGTERM into an event; a signal handler can reach
// nothing else.
int TerminationPipe[2] = {-1, -1};

void OnTermination(int)
{
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(TerminationPipe[1], &byte, 1);
}

// SIGTERM (a logout, a service stop) ends the event loop like closing the window, so the
// windows and the web engine's helper processes go down in order instead of being left
// behind.
std::unique_ptr<QSocketNotifier> WatchTermination()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, TerminationPipe) != 0)
        return nullptr;
    struct sigaction action = {};
    action.sa_handler = OnTermination;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGTERM, &action, nullptr);
    auto notifier = std::make_unique<QSocketNotifier>(TerminationPipe[0], QSocketNotifier::Read);
    QObject::connect(notifier.get(), &QSocketNotifier::activated, [] {
        char byte = 0;
        [[maybe_unused]] const auto read = ::read(TerminationPipe[0], &byte, 1);
        QApplication::quit();
    });
    return notifier;
}
} // namespace
#endif

int RunApplication()
{
    TMainFrm *const mainFrm = Windows().MainFrm;
    if (!mainFrm)
        return 1;
#if defined(Q_OS_UNIX)
    const std::unique_ptr<QSocketNotifier> termination = WatchTermination();
#endif
    mainFrm->show();
    return QApplication::exec();
}

void DestroyWindows()
{
    AppWindows &w = Windows();
    // Reverse order: docked views and dialogs go before the main window that holds them.
    DestroyWindow(w.CatchLogFrm);
    DestroyWindow(w.ReklamaFrm);
    DestroyWindow(w.OpisFrm);
    DestroyWindow(w.InfoFrm);
    DestroyWindow(w.EgzaminFrm);
    DestroyWindow(w.NaukaFrm);
    DestroyWindow(w.TestyPrzepisyFrm);
    DestroyWindow(w.TestyRybyFrm);
    DestroyWindow(w.EncyklopediaFrm);
    DestroyWindow(w.DayFrm);
    DestroyWindow(w.CalendarFrm);
    DestroyWindow(w.AboutFrm);
    w.DataBase = nullptr;
    DestroyWindow(w.MainFrm);
}
