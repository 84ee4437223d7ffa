#include "diary/CatchPhotos.h"

#include "data/Statement.h"
#include "data/TDbConnection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace CatchPhotos {

bool IsNamed(TDbConnection &connection, const QString &dayText, const QString &fileName)
{
    return Statement(connection, QStringLiteral("select 1 from dziennik where data = ? and foto = ?"), dayText,
                     fileName)
        .Next();
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
