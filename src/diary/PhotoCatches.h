#pragma once

#include "base/GeoPoint.h"
#include "diary/Waters.h"

#include <QDate>
#include <QDateTime>
#include <QStringList>
#include <QTime>
#include <functional>
#include <optional>
#include <vector>

class TDbConnection;

// Catches made from the photos an angler took of them: each photo says when and where it
// was taken, photos of one catch are offered as one, and nothing is stored until the
// angler has named the fish.
namespace PhotoCatches {

// A photo's own word on itself, from its EXIF block.
struct PhotoFacts
{
    QString path;
    // Local (Polish) time; invalid when the photo does not say.
    QDateTime taken;
    std::optional<GeoPoint> where;
};

// A catch offered from one photo or several taken together.
struct Proposal
{
    // The first is the catch's photo; the others were taken of the same catch.
    QStringList photos;
    // Invalid when the photo has no date: the angler gives the day.
    QDate day;
    QTime hour;
    // The angler's water nearest to where the photo was taken, within WaterReach.
    QString water;
    std::optional<GeoPoint> where;
    // What the angler types in the list.
    bool keep = true;
    QString species;
    double weight = 0;
    double length = 0;
};

// How near a water a photo must be taken to name it, in metres.
inline constexpr double WaterReach = 2000;
// Photos taken this close in time at one place are of one catch.
inline constexpr int SameCatchMinutes = 30;

// A chosen file, read once.
struct ChosenPhoto
{
    // Why it cannot be a catch's photo ("pusty plik", "to nie jest zdjęcie JPEG"…); empty
    // when it can.
    QString refusal;
    // What a photo that can be one says of itself.
    PhotoFacts facts;
};
// Reads at most the head of the file, never follows a link and never opens what is not a
// regular file (a FIFO would block the reading). A photo's EXIF time is given as Polish
// local time; a block that cannot be read gives no time and no place.
ChosenPhoto ReadPhoto(const QString &path);

// The water nearest to a point, within WaterReach; none when none is that near.
const Water *NearestWater(const std::vector<Water> &waters, const GeoPoint &at);

// The catches the photos make, in the order they were taken; photos without a date
// come last, each a catch of its own.
std::vector<Proposal> Propose(std::vector<PhotoFacts> photos, const std::vector<Water> &waters);

// The photos of a proposal as catches of their own.
std::vector<Proposal> Split(const Proposal &proposal);

// Those of the paths whose content equals a photo the diary already holds (in
// photoFolder/<day>/<name>, named by the rows of dziennik). Only files of an equal size
// are read.
QStringList AlreadyInDiary(TDbConnection &connection, const QString &photoFolder, const QStringList &paths);

// Leaves out the catches one of whose photos the diary holds (inDiary): the diary keeps
// a catch's first photo only, and its other photos, read again, are of the same catch.
// The number of photos left out.
int LeaveOutStored(std::vector<Proposal> &proposals, const QStringList &inDiary);

// Stores the kept proposals that have a day and a species, in one transaction, each with
// its first photo copied into its day's folder as the details dialog copies one (a name
// another photo holds there gets a free one). progress is told how many are done and
// stops everything when it returns false. On any failure or stop nothing is stored and
// the copies made are removed; the row ids stored otherwise. Raises the data layer's
// errors and Exception with the Polish reason a copy failed.
std::vector<qint64> Store(TDbConnection &connection, const QString &photoFolder,
                          const std::vector<Proposal> &proposals,
                          const std::function<QString(QDate, QTime)> &moonPhaseOf,
                          const std::function<bool(int done)> &progress);

} // namespace PhotoCatches
