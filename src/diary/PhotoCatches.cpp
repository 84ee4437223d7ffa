#include "diary/PhotoCatches.h"

#include "base/Exception.h"
#include "base/PhotoExif.h"
#include "data/Statement.h"
#include "data/TDbConnection.h"
#include "diary/CatchPhotos.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTimeZone>
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

ChosenPhoto ReadPhoto(const QString &path)
{
    ChosenPhoto chosen{{}, {path, {}, std::nullopt}};
    const QFileInfo info(path);
    if (info.isSymLink())
        chosen.refusal = QStringLiteral("to dowiązanie, a nie plik zdjęcia");
    else if (!info.exists())
        chosen.refusal = QStringLiteral("plik nie istnieje");
    else if (!info.isFile())
        chosen.refusal = QStringLiteral("to nie jest zwykły plik");
    else if (info.size() == 0)
        chosen.refusal = QStringLiteral("pusty plik");
    if (!chosen.refusal.isEmpty())
        return chosen;
    PhotoHead head;
    try {
        head = ReadPhotoHead(path);
    } catch (const Exception &) {
        chosen.refusal = QStringLiteral("nie można odczytać pliku");
        return chosen;
    }
    if (!head.jpeg)
        chosen.refusal = QStringLiteral("to nie jest zdjęcie JPEG");
    else if (head.cut)
        chosen.refusal = QStringLiteral("plik jest uszkodzony (ucięty przed obrazem)");
    if (!chosen.refusal.isEmpty())
        return chosen;

    chosen.facts.where = head.exif.position;
    // A camera that wrote its offset tells the moment; the diary keeps Polish time.
    // Without one, the camera's clock is taken as the angler's own.
    QDateTime taken = head.exif.taken;
    if (taken.isValid() && taken.timeSpec() != Qt::LocalTime)
        taken = taken.toTimeZone(QTimeZone(QByteArrayLiteral("Europe/Warsaw")));
    if (taken.isValid())
        chosen.facts.taken = QDateTime(taken.date(), taken.time());
    return chosen;
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

int LeaveOutStored(std::vector<Proposal> &proposals, const QStringList &inDiary)
{
    if (inDiary.isEmpty())
        return 0;
    const QSet<QString> stored(inDiary.begin(), inDiary.end());
    int left = 0;
    std::erase_if(proposals, [&](const Proposal &proposal) {
        const bool known = std::any_of(proposal.photos.begin(), proposal.photos.end(),
                                       [&stored](const QString &photo) { return stored.contains(photo); });
        if (known)
            left += int(proposal.photos.size());
        return known;
    });
    return left;
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
                throw Exception(QStringLiteral("Nie można skopiować zdjęcia %1: %2")
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
