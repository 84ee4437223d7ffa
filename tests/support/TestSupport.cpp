#include "support/TestSupport.h"

#include "app/Startup.h"
#include "base/Clock.h"
#include "base/ProgramPaths.h"
#include "widgets/Platform.h"

#include <QDir>
#include <QFile>
#include <QLibrary>
#include <QTest>
#include <QWidget>

namespace TestSupport {

namespace {
struct sqlite3;
using OpenFn = int (*)(const char *, sqlite3 **);
using CloseFn = int (*)(sqlite3 *);
using ExecFn = int (*)(sqlite3 *, const char *, int (*)(void *, int, char **, char **), void *, char **);
using FreeFn = void (*)(void *);

struct Engine
{
    QLibrary library;
    OpenFn open = nullptr;
    CloseFn close = nullptr;
    ExecFn exec = nullptr;
    FreeFn free = nullptr;

    Engine() : library(RuntimeDir() + QLatin1Char('/') + SqliteLibraryFileName())
    {
        if (!library.load())
            qFatal("cannot load the engine library beside the executable: %s", qPrintable(library.errorString()));
        open = reinterpret_cast<OpenFn>(library.resolve("sqlite3_open"));
        close = reinterpret_cast<CloseFn>(library.resolve("sqlite3_close"));
        exec = reinterpret_cast<ExecFn>(library.resolve("sqlite3_exec"));
        free = reinterpret_cast<FreeFn>(library.resolve("sqlite3_free"));
    }
};

Engine &engine()
{
    static Engine e;
    return e;
}

QString readFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return QString::fromUtf8(f.readAll());
}
} // namespace

void TypeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text) {
        const auto key = static_cast<Qt::Key>(c.toUpper().unicode());
        QTest::sendKeyEvent(QTest::Press, widget, key, QString(c), Qt::NoModifier);
        QTest::sendKeyEvent(QTest::Release, widget, key, QString(c), Qt::NoModifier);
    }
}

QProcessEnvironment HomeEnvironment(const QString &home)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/.cache"));
    return env;
}

QString RuntimeDir()
{
    return qEnvironmentVariable("RYBOWID_RUNTIME_DIR");
}

QString SourceDir()
{
    return qEnvironmentVariable("RYBOWID_SOURCE_DIR");
}

void SavePng(QWidget *widget, const QString &name)
{
    const QString dir = qEnvironmentVariable("RYBOWID_PNG_DIR", QDir::tempPath());
    QDir().mkpath(dir);
    widget->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

bool ExecSql(const QString &dbPath, const QString &sql, QString *error)
{
    Engine &e = engine();
    sqlite3 *db = nullptr;
    e.open(QFile::encodeName(dbPath).constData(), &db);
    char *message = nullptr;
    const int rc = e.exec(db, sql.toUtf8().constData(), nullptr, nullptr, &message);
    if (rc != 0 && error)
        *error = QString::fromUtf8(message);
    if (message)
        e.free(message);
    e.close(db);
    return rc == 0;
}

QStringList QueryColumn(const QString &dbPath, const QString &sql)
{
    Engine &e = engine();
    sqlite3 *db = nullptr;
    e.open(QFile::encodeName(dbPath).constData(), &db);
    QStringList rows;
    auto collect = [](void *out, int, char **values, char **) -> int {
        static_cast<QStringList *>(out)->append(values[0] ? QString::fromUtf8(values[0]) : QString());
        return 0;
    };
    e.exec(db, sql.toUtf8().constData(), collect, &rows, nullptr);
    e.close(db);
    return rows;
}

TempProgramDir::TempProgramDir(Content content)
{
    if (!m_dir.isValid())
        return;
    const QString root = m_dir.path();
    QDir(root).mkpath(QStringLiteral("data/foto"));
    QDir(root).mkpath(QStringLiteral("data/encyklopedia"));
    QDir(root).mkpath(QStringLiteral("data/html"));
    // The program's own pictures are read-only: share the build's copy.
    QFile::link(RuntimeDir() + QStringLiteral("/data/grafika"), root + QStringLiteral("/data/grafika"));
    for (const QString &library : {SqliteLibraryFileName(), WebViewModuleFileName()})
        QFile::link(RuntimeDir() + QLatin1Char('/') + library, root + QLatin1Char('/') + library);
    m_valid = true;
    if (content == Content::None)
        return;
    const QString sqlDir = SourceDir() + QStringLiteral("/content/sql/");
    m_valid = exec(readFile(sqlDir + QStringLiteral("schema.sql")));
    if (content == Content::Shipped) {
        for (const char *seed : {"ryby.sql", "porady.sql", "przepisy.sql"}) {
            if (QFile::exists(sqlDir + QLatin1String(seed)))
                m_valid = m_valid && exec(readFile(sqlDir + QLatin1String(seed)));
        }
    }
}

QString TempProgramDir::path() const
{
    return QDir::toNativeSeparators(m_dir.path()) + QDir::separator();
}

QString TempProgramDir::dbPath() const
{
    return m_dir.path() + QStringLiteral("/data/wedkarz.db");
}

QString TempProgramDir::fotoDir() const
{
    return m_dir.path() + QStringLiteral("/data/foto");
}

GuiTestFolder::GuiTestFolder(Content content) : TempProgramDir(content)
{
    Platform::EnableTestMode();
    Platform::ClearTestState();
}

GuiTestFolder::~GuiTestFolder()
{
    Platform::SetModalHandler(nullptr);
    DestroyWindows();
    Clock::Unpin();
}

} // namespace TestSupport
