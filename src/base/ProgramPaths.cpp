#include "base/ProgramPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
QString &overridden()
{
    static QString folder;
    return folder;
}

QString withSeparator(QString folder)
{
    if (!folder.isEmpty() && !folder.endsWith(QDir::separator()))
        folder += QDir::separator();
    return folder;
}

// A folder given relative to the executable's at build time, for the installed layout.
QString besideExecutable(const char *relative)
{
    return withSeparator(QDir::toNativeSeparators(QDir::cleanPath(ExecutableFolder() + QLatin1String(relative))));
}

// Beside the executable, or in the package's private library folder.
QString privateLibraryFolder(const QString &fileName)
{
    const QString folder = ExecutableFolder();
    if (QFileInfo::exists(folder + fileName))
        return folder;
    return besideExecutable(RYBOWID_ENGINE_FROM_BIN);
}

bool holdsData(const QString &folder)
{
    return QFileInfo(folder + QStringLiteral("data")).isDir();
}
} // namespace

QString SqliteLibraryFileName()
{
#if defined(Q_OS_WIN)
    return QStringLiteral("sqlite3.dll");
#elif defined(Q_OS_MACOS)
    return QStringLiteral("libsqlite3.dylib");
#else
    return QStringLiteral("libsqlite3.so");
#endif
}

QString WebViewModuleFileName()
{
#if defined(Q_OS_WIN)
    return QStringLiteral("rybowid_webview.dll");
#else
    return QStringLiteral("librybowid_webview.so");
#endif
}

QString ExecutableFolder()
{
    if (!overridden().isEmpty())
        return overridden();
    return withSeparator(QDir::toNativeSeparators(QCoreApplication::applicationDirPath()));
}

void OverrideExecutableFolder(const QString &folder)
{
    overridden() = withSeparator(QDir::toNativeSeparators(folder));
}

bool RunsInstalled()
{
    if (!overridden().isEmpty())
        return false;
    const QFileInfo data(ExecutableFolder() + QStringLiteral("data"));
    // A portable copy whose diary cannot be written is still the one to open, read-only:
    // showing an empty diary of the home folder instead would hide the angler's catches.
    return !data.isDir() || (!data.isWritable() && !QFileInfo::exists(data.filePath() + QStringLiteral("/wedkarz.db")));
}

QString EngineFolder()
{
    return privateLibraryFolder(SqliteLibraryFileName());
}

QString WebViewModuleFolder()
{
    return privateLibraryFolder(WebViewModuleFileName());
}

QString SuppliedDataRoot()
{
    const QString folder = ExecutableFolder();
    // A read-only portable copy still reads its own files.
    if (!RunsInstalled() || holdsData(folder))
        return folder;
    return besideExecutable(RYBOWID_SHARE_FROM_BIN);
}

QString UserDataRoot()
{
    if (!RunsInstalled())
        return ExecutableFolder();
    const QString home = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return withSeparator(QDir::toNativeSeparators(home + QStringLiteral("/Rybowid")));
}
