#include "base/ProgramPaths.h"

#include <QCoreApplication>
#include <QDir>

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
