#include "diary/BackupManifest.h"

#include "base/CheckedFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace BackupManifest {

const QString FileName = QStringLiteral("spis-kopii.txt");

namespace {
const QByteArray Heading = QByteArrayLiteral("# Rybowid: spis plików kopii zapasowej (rozmiar, SHA-256, plik)");
const QByteArray Ending = QByteArrayLiteral("# plików: ");

bool Digest(const QString &path, QByteArray *hex)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return false;
    *hex = hash.result().toHex();
    return true;
}

// The first symbolic link on the way from the folder to one of its files, or "".
QString LinkOnTheWay(const QString &folder, const QString &relative)
{
    QString path = QDir::cleanPath(folder);
    for (const QString &part : relative.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        path += QLatin1Char('/') + part;
        if (QFileInfo(path).isSymLink())
            return path;
    }
    return {};
}

QString Native(const QString &folder, const QString &relative)
{
    return QDir::toNativeSeparators(QDir(folder).filePath(relative));
}
} // namespace

bool Write(const QString &folder, QString *error)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString relative = QDir(folder).relativeFilePath(it.next());
        if (relative != FileName)
            files << relative;
    }
    files.sort();
    QByteArray text = Heading + '\n';
    for (const QString &relative : files) {
        QByteArray hex;
        if (!Digest(QDir(folder).filePath(relative), &hex)) {
            *error = QStringLiteral("Nie można odczytać pliku %1.").arg(Native(folder, relative));
            return false;
        }
        text += QByteArray::number(QFileInfo(QDir(folder).filePath(relative)).size()) + ' ' + hex + ' ' +
                QUrl::toPercentEncoding(relative, "/") + '\n';
    }
    text += Ending + QByteArray::number(files.size()) + '\n';
    QString reason;
    if (!WriteWholeFile(QDir(folder).filePath(FileName), text, &reason)) {
        *error = QStringLiteral("Nie można zapisać spisu plików kopii %1: %2.").arg(Native(folder, FileName), reason);
        return false;
    }
    return true;
}

std::vector<Entry> Check(const QString &folder, QString *error)
{
    const QString where = QDir::toNativeSeparators(folder);
    QFile file(QDir(folder).filePath(FileName));
    if (!file.open(QIODevice::ReadOnly)) {
        *error =
            QStringLiteral("W folderze %1 nie ma spisu plików kopii (%2), więc nie można sprawdzić, czy kopia jest "
                           "cała: jej zapis przerwano albo zrobiła ją starsza wersja programu. Taka kopia nie "
                           "zostanie przywrócona.")
                .arg(where, FileName);
        return {};
    }
    const QList<QByteArray> lines = file.readAll().split('\n');
    std::vector<Entry> entries;
    bool whole = false;
    for (const QByteArray &line : lines) {
        if (line.isEmpty() || line == Heading)
            continue;
        if (line.startsWith(Ending)) {
            whole = line.mid(Ending.size()).toLongLong() == qint64(entries.size());
            break;
        }
        const QList<QByteArray> parts = line.split(' ');
        bool sized = false;
        Entry entry;
        if (parts.size() == 3) {
            entry.size = parts[0].toLongLong(&sized);
            entry.sha256 = parts[1];
            entry.path = QUrl::fromPercentEncoding(parts[2]);
        }
        if (!sized || entry.sha256.size() != 64 || entry.path.isEmpty() || entry.path.contains(QLatin1String("..")) ||
            QDir::isAbsolutePath(entry.path)) {
            entries.clear();
            break;
        }
        entries.push_back(entry);
    }
    if (!whole) {
        *error = QStringLiteral("Spis plików kopii w folderze %1 jest niepełny albo uszkodzony: zapis kopii przerwano. "
                                "Taka kopia nie zostanie przywrócona.")
                     .arg(where);
        return {};
    }
    for (const Entry &entry : entries) {
        const QString path = QDir(folder).filePath(entry.path);
        QByteArray hex;
        if (const QString link = LinkOnTheWay(folder, entry.path); !link.isEmpty()) {
            *error = QStringLiteral("W kopii jest dowiązanie symboliczne %1 zamiast zwykłego pliku lub folderu. Kopia "
                                    "z dowiązaniami nie zostanie przywrócona: mogłyby wskazywać pliki spoza niej.")
                         .arg(QDir::toNativeSeparators(link));
            return {};
        }
        if (QFileInfo::exists(path) && !QFileInfo(path).isFile()) {
            *error = QStringLiteral("Plik %1 w kopii nie jest zwykłym plikiem. Kopia nie zostanie przywrócona.")
                         .arg(QDir::toNativeSeparators(path));
            return {};
        }
        if (!QFileInfo(path).isFile()) {
            *error = QStringLiteral("W kopii brakuje pliku %1 wymienionego w jej spisie. Kopia nie zostanie "
                                    "przywrócona.")
                         .arg(QDir::toNativeSeparators(path));
            return {};
        }
        if (QFileInfo(path).size() != entry.size || !Digest(path, &hex) || hex != entry.sha256) {
            *error = QStringLiteral("Plik %1 różni się od zapisanego w spisie kopii: jest uszkodzony albo zmieniony. "
                                    "Kopia nie zostanie przywrócona.")
                         .arg(QDir::toNativeSeparators(path));
            return {};
        }
    }
    return entries;
}

} // namespace BackupManifest
