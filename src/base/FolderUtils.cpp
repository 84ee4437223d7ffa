#include "base/FolderUtils.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

bool EmptyFolder(const QString &path)
{
    QString folder = path;
    AddTrailingBackslash(folder);
    bool result = true;
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo &entry : entries) {
        if (!result)
            break;
        // A link is removed as a link: following it would empty a folder outside this one.
        if (entry.isDir() && !entry.isSymLink())
            result = DeleteFolder(folder + entry.fileName());
        else
            result = QFile::remove(folder + entry.fileName());
    }
    return result;
}

bool DeleteFolder(const QString &path)
{
    EmptyFolder(path);
    return QDir().rmdir(path);
}

bool FolderExists(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

void AddTrailingBackslash(QString &path)
{
    if (!path.isEmpty() && !path.endsWith(QDir::separator()))
        path += QDir::separator();
}
