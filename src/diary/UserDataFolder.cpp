#include "diary/UserDataFolder.h"

#include "base/ProgramPaths.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace UserDataFolder {

QString Path()
{
    return QDir::cleanPath(UserDataRoot() + QStringLiteral("data"));
}

QString DatabasePath()
{
    return Path() + QStringLiteral("/wedkarz.db");
}

QString PhotoFolder()
{
    return Path() + QStringLiteral("/foto");
}

QString AsideFolder()
{
    return Path() + QStringLiteral("/kopie");
}

QString Prepare()
{
    const QString folder = Path();
    // The first part of the path that is not a folder is the one to name: a file in the
    // place of the data home, say.
    QString blocking;
    for (QString part = folder; !part.isEmpty() && part != QFileInfo(part).path(); part = QFileInfo(part).path()) {
        if (QFileInfo::exists(part) && !QFileInfo(part).isDir())
            blocking = part;
    }
    bool writable = blocking.isEmpty() && QDir().mkpath(PhotoFolder());
    if (writable) {
        // The permission bits say nothing of a read-only mount; a real file does.
        QTemporaryFile probe(folder + QStringLiteral("/.zapis-XXXXXX"));
        writable = probe.open();
    }
    if (writable)
        return {};
    const QString named = QDir::toNativeSeparators(blocking.isEmpty() ? folder : blocking);
    return blocking.isEmpty()
               ? QStringLiteral("Nie można zapisywać w folderze %1, w którym program przechowuje dziennik połowów i "
                                "zdjęcia. Sprawdź, czy ten folder można utworzyć i czy masz prawo w nim zapisywać.")
                     .arg(named)
               : QStringLiteral("Nie można utworzyć folderu %1 na dziennik połowów i zdjęcia: w miejscu folderu %2 "
                                "leży plik. Usuń go albo zmień jego nazwę.")
                     .arg(QDir::toNativeSeparators(folder), named);
}

} // namespace UserDataFolder
