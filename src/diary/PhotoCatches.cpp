#include "diary/PhotoCatches.h"

#include "base/Exception.h"
#include "data/Statement.h"
#include "data/TDbConnection.h"
#include "diary/CatchPhotos.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <algorithm>

namespace PhotoCatches {

namespace {
// Two photos of one catch are taken on the bank where it was landed.
constexpr double SamePlaceMetres = 300;

bool SamePlace(const Proposal &catchSoFar, const PhotoFacts &photo, const QString &water)
{
    if (catchSoFar.water != water)
        return false;
    if (catchSoFar.where && photo.where)
        return DistanceMetres(*catchSoFar.where, *photo.where) <= SamePlaceMetres;
    return catchSoFar.where.has_value() == photo.where.has_value();
}

QByteArray ContentHash(const QString &path)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return {};
    return hash.result();
}
} // namespace

QString Refusal(const QString &path)
{
    const QFileInfo info(path);
    if (info.isSymLink())
        return QStringLiteral("to dowiązanie, a nie plik zdjęcia");
    if (!info.exists())
        return QStringLiteral("plik nie istnieje");
    if (!info.isFile())
        return QStringLiteral("to nie jest zwykły plik");
    if (info.size() == 0)
        return QStringLiteral("pusty plik");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("nie można odczytać pliku");
    // A photo's EXIF block and tables come before its picture data; a file cut before the
    // picture starts is no photo. The head read is bounded whatever the file's size.
    constexpr qint64 Head = 256 * 1024;
    const QByteArray head = file.read(Head);
    if (!head.startsWith("\xFF\xD8\xFF"))
        return QStringLiteral("to nie jest zdjęcie JPEG");
    if (!head.contains("\xFF\xDA") && head.size() < Head)
        return QStringLiteral("plik jest uszkodzony (ucięty przed obrazem)");
    return QString();
}

const Water *NearestWater(const std::vector<Water> &waters, const GeoPoint &at)
{
    const Water *nearest = nullptr;
    double best = WaterReach;
    for (const Water &water : waters) {
        if (!water.position)
            continue;
        const double metres = DistanceMetres(*water.position, at);
        if (metres <= best) {
            best = metres;
            nearest = &water;
        }
    }
    return nearest;
}

std::vector<Proposal> Propose(std::vector<PhotoFacts> photos, const std::vector<Water> &waters)
{
    // In the order taken; the undated keep their own order at the end.
    std::stable_sort(photos.begin(), photos.end(), [](const PhotoFacts &a, const PhotoFacts &b) {
        if (a.taken.isValid() != b.taken.isValid())
            return a.taken.isValid();
        return a.taken.isValid() && a.taken < b.taken;
    });
    std::vector<Proposal> proposals;
    QDateTime lastTaken;
    for (const PhotoFacts &photo : photos) {
        const Water *water = photo.where ? NearestWater(waters, *photo.where) : nullptr;
        const QString waterName = water ? water->name : QString();
        if (photo.taken.isValid() && !proposals.empty() && lastTaken.isValid() &&
            lastTaken.secsTo(photo.taken) <= SameCatchMinutes * 60 && SamePlace(proposals.back(), photo, waterName)) {
            proposals.back().photos << photo.path;
            lastTaken = photo.taken;
            continue;
        }
        Proposal proposal;
        proposal.photos << photo.path;
        if (photo.taken.isValid()) {
            proposal.day = photo.taken.date();
            proposal.hour = QTime(photo.taken.time().hour(), photo.taken.time().minute());
        }
        proposal.water = waterName;
        proposal.where = photo.where;
        proposals.push_back(proposal);
        lastTaken = photo.taken;
    }
    return proposals;
}

std::vector<Proposal> Split(const Proposal &proposal)
{
    std::vector<Proposal> parts;
    for (const QString &photo : proposal.photos) {
        Proposal part = proposal;
        part.photos = QStringList{photo};
        parts.push_back(part);
    }
    return parts;
}

QStringList AlreadyInDiary(TDbConnection &connection, const QString &photoFolder, const QStringList &paths)
{
    // The sizes of the candidates first: a stored photo of another size is never read.
    QSet<qint64> candidateSizes;
    for (const QString &path : paths)
        candidateSizes.insert(QFileInfo(path).size());
    QSet<QByteArray> storedHashes;
    QSet<qint64> storedSizes;
    Statement stored(connection, QStringLiteral("SELECT DISTINCT substr(data, 1, 10), foto FROM dziennik WHERE "
                                                "foto IS NOT NULL AND trim(foto) <> ''"));
    while (stored.Next()) {
        const QString file = photoFolder + QLatin1Char('/') + stored.Text(0) + QLatin1Char('/') + stored.Text(1);
        const QFileInfo info(file);
        if (info.isFile() && candidateSizes.contains(info.size())) {
            storedSizes.insert(info.size());
            storedHashes.insert(ContentHash(file));
        }
    }
    // In the order asked, each candidate of a stored size read once.
    QStringList known;
    for (const QString &path : paths) {
        if (!storedSizes.contains(QFileInfo(path).size()))
            continue;
        const QByteArray hash = ContentHash(path);
        if (!hash.isEmpty() && storedHashes.contains(hash))
            known << path;
    }
    return known;
}

std::vector<qint64> Store(TDbConnection &connection, const QString &photoFolder,
                          const std::vector<Proposal> &proposals,
                          const std::function<QString(QDate, QTime)> &moonPhaseOf,
                          const std::function<bool(int done)> &progress)
{
    QStringList copied;
    auto removeCopies = [&copied] {
        for (const QString &file : copied)
            QFile::remove(file);
    };
    std::vector<qint64> rows;
    try {
        Transaction transaction(connection);
        Statement insert(connection,
                         QStringLiteral("INSERT INTO dziennik (data, gatunek, waga, dlugosc, miejsce, przyneta, wiatr, "
                                        "faza_ksiezyca, opis, foto, zabrana, godzina) "
                                        "VALUES (?, ?, ?, ?, ?, '', '', ?, '', ?, 1, ?)"));
        int done = 0;
        for (const Proposal &p : proposals) {
            if (!p.keep || !p.day.isValid() || p.species.trimmed().isEmpty() || p.photos.isEmpty())
                continue;
            const QString dayText = p.day.toString(Qt::ISODate);
            const QString folder = photoFolder + QLatin1Char('/') + dayText;
            if (!QDir().mkpath(folder))
                throw Exception(QStringLiteral("nie można utworzyć folderu %1").arg(QDir::toNativeSeparators(folder)));
            const QString first = p.photos.front();
            // A name the day's folder already holds with the same content is reused, not
            // copied: only new files are this store's to remove.
            const QStringList before = QDir(folder).entryList(QDir::Files);
            QString reason;
            const QString name = CatchPhotos::Store(first, folder, &reason);
            if (name.isEmpty())
                throw Exception(QStringLiteral("nie można skopiować zdjęcia %1: %2")
                                    .arg(QDir::toNativeSeparators(first), reason));
            if (!before.contains(name))
                copied << folder + QLatin1Char('/') + name;
            insert.Bind(1, dayText).Bind(2, p.species.trimmed());
            if (p.weight > 0)
                insert.Bind(3, p.weight);
            else
                insert.BindNull(3);
            if (p.length > 0)
                insert.Bind(4, p.length);
            else
                insert.BindNull(4);
            insert.Bind(5, p.water)
                .Bind(6, moonPhaseOf ? moonPhaseOf(p.day, p.hour) : QString())
                .Bind(7, name);
            if (p.hour.isValid())
                insert.Bind(8, p.hour.toString(QStringLiteral("HH:mm")));
            else
                insert.BindNull(8);
            insert.Run();
            insert.Reset();
            rows.push_back(connection.LastInsertRowId());
            if (progress && !progress(++done)) {
                removeCopies();
                return {};
            }
        }
        transaction.Commit();
    } catch (...) {
        removeCopies();
        throw;
    }
    return rows;
}

} // namespace PhotoCatches
