#include "diary/CatchPhotos.h"

#include "data/TDbConnection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
QString SqlText(QString text)
{
    return QLatin1Char('\'') + text.replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\'');
}
} // namespace

namespace CatchPhotos {

bool IsNamed(TDbConnection &connection, const QString &dayText, const QString &fileName)
{
    if (!connection.Connected() || !connection.Handle())
        connection.RaiseEngineError();
    const SqliteApi &api = connection.Api();
    const QByteArray sql = QStringLiteral("select count(*) from dziennik where data = %1 and foto = %2")
                               .arg(SqlText(dayText), SqlText(fileName))
                               .toUtf8();
    sqlite3_stmt *stmt = nullptr;
    if (api.prepare(connection.Handle(), sql.constData(), -1, &stmt, nullptr) != SQLITE_OK || !stmt)
        connection.RaiseEngineError();
    const int rc = api.step(stmt);
    const qint64 count = rc == SQLITE_ROW ? api.column_int64(stmt, 0) : 0;
    api.finalize(stmt);
    if (rc != SQLITE_ROW)
        connection.RaiseEngineError();
    return count > 0;
}

QString SetAside(const QString &dayFolder, const QString &fileName, const QString &asideRoot)
{
    const QString source = dayFolder + QLatin1Char('/') + fileName;
    if (fileName.isEmpty() || fileName.contains(QLatin1Char('/')) || !QFileInfo(source).isFile())
        return {};
    const QString folder =
        asideRoot + QStringLiteral("/zastąpione zdjęcia/") + QFileInfo(QDir::cleanPath(dayFolder)).fileName();
    if (!QDir().mkpath(folder))
        return {};
    const QFileInfo name(fileName);
    const QString suffix = name.suffix().isEmpty() ? QString() : QLatin1Char('.') + name.suffix();
    QString target = folder + QLatin1Char('/') + fileName;
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = folder + QLatin1Char('/') + name.completeBaseName() + QStringLiteral(" (%1)").arg(n) + suffix;
    if (!QFile::rename(source, target))
        return {};
    // Gone when empty only: a day folder is there while it holds photos.
    QDir().rmdir(dayFolder);
    return target;
}

} // namespace CatchPhotos
