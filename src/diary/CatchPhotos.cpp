#include "diary/CatchPhotos.h"

#include "base/CheckedFile.h"
#include "data/Statement.h"
#include "data/TDbConnection.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
// The n-th name of a file in a folder: "portret.jpg", then "portret (2).jpg"…
QString NumberedName(const QString &fileName, int n)
{
    if (n < 2)
        return fileName;
    const QFileInfo name(fileName);
    const QString suffix = name.suffix().isEmpty() ? QString() : QLatin1Char('.') + name.suffix();
    return name.completeBaseName() + QStringLiteral(" (%1)").arg(n) + suffix;
}

bool SameContent(const QString &a, const QString &b)
{
    QFile first(a);
    QFile second(b);
    if (first.size() != second.size() || !first.open(QIODevice::ReadOnly) || !second.open(QIODevice::ReadOnly))
        return false;
    constexpr qint64 Chunk = 1 << 16;
    while (!first.atEnd()) {
        const QByteArray bytes = first.read(Chunk);
        if (bytes.isEmpty() || bytes != second.read(Chunk))
            return false;
    }
    return second.atEnd();
}
} // namespace

namespace CatchPhotos {

bool IsNamed(TDbConnection &connection, const QString &dayText, const QString &fileName)
{
    return Statement(connection, QStringLiteral("select 1 from dziennik where data = ? and foto = ?"), dayText,
                     fileName)
        .Next();
}

QString Store(const QString &chosen, const QString &dayFolder, QString *error)
{
    const QString fileName = QFileInfo(chosen).fileName();
    // Cameras and phones start their numbering afresh on each card: two fish of one day
    // easily come as two different "IMG_0001.jpg".
    for (int n = 1;; ++n) {
        const QString name = NumberedName(fileName, n);
        const QString target = dayFolder + QLatin1Char('/') + name;
        if (!QFileInfo::exists(target))
            return CopyWholeFile(chosen, target, error) ? name : QString();
        if (QFileInfo(target).isFile() && SameContent(chosen, target))
            return name;
    }
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
    QString target = folder + QLatin1Char('/') + fileName;
    for (int n = 2; QFileInfo::exists(target); ++n)
        target = folder + QLatin1Char('/') + NumberedName(fileName, n);
    if (!QFile::rename(source, target))
        return {};
    // Gone when empty only: a day folder is there while it holds photos.
    QDir().rmdir(dayFolder);
    return target;
}

} // namespace CatchPhotos
