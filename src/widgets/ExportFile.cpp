#include "widgets/ExportFile.h"

#include "base/UserSettings.h"
#include "widgets/Platform.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace ExportFile {

namespace {
QString Key(Kind kind)
{
    switch (kind) {
    case Kind::Picture:
        return QStringLiteral("zapis/folder_obrazow");
    case Kind::Photo:
        return QStringLiteral("zdjecia/folder");
    default:
        return QStringLiteral("zapis/folder_dokumentow");
    }
}

QString Usable(const QString &folder)
{
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}
} // namespace

QString StartFolder(Kind kind)
{
    // A folder since removed or on a disk no longer there gives way to the standard one.
    if (const QString last = Usable(UserSettings().value(Key(kind)).toString()); !last.isEmpty())
        return last;
    const QString standard = Usable(QStandardPaths::writableLocation(
        kind != Kind::Document ? QStandardPaths::PicturesLocation : QStandardPaths::DocumentsLocation));
    return standard.isEmpty() ? QDir::homePath() : standard;
}

QString Save(QWidget *parent, Kind kind, const QString &title, const QString &suggestedName, const QString &filter,
             const Writer &write)
{
    QString path = Platform::SaveFileName(parent, title, QDir(StartFolder(kind)).filePath(suggestedName), filter);
    if (path.isEmpty())
        return {};
    const QString extension = filter.section(QLatin1Char('|'), 1).mid(1);
    if (!extension.isEmpty() && !path.endsWith(extension, Qt::CaseInsensitive))
        path += extension;
    QString error;
    if (!write(path, &error)) {
        Platform::ShowMessage(
            parent, QStringLiteral("Rybowid"),
            QStringLiteral("Nie można zapisać pliku %1: %2").arg(QDir::toNativeSeparators(path), error),
            Platform::Icon::Error);
        return {};
    }
    Remember(kind, path);
    return path;
}

void Remember(Kind kind, const QString &path)
{
    UserSettings().setValue(Key(kind), QFileInfo(path).absolutePath());
}

} // namespace ExportFile
