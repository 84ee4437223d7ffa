#include "diary/DatabaseFile.h"

#include <QFile>
#include <QFileInfo>

DatabaseFileState CheckDatabaseFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return DatabaseFileState::Missing;
    if (info.isFile() && info.size() == 0)
        return DatabaseFileState::Empty;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return DatabaseFileState::NotDatabase;
    static const QByteArray header("SQLite format 3\0", 16);
    return file.read(header.size()) == header ? DatabaseFileState::Ready : DatabaseFileState::NotDatabase;
}
