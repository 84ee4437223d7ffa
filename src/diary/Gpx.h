#pragma once

#include "diary/CatchRecord.h"
#include "diary/Waters.h"

#include <QByteArray>
#include <QString>
#include <vector>

class QIODevice;

// The angler's waters and catches as GPX 1.1, the file GPS receivers and map apps on
// phones exchange, and the waypoints of such a file as waters to add.
//
// Written, UTF-8: each water with a position is a waypoint of type "Łowisko" whose <cmt>
// holds nothing but its number in the district's list. Each catch at such a water is a
// waypoint of type "Połów" at the water's position, named by its species and weight, its
// water's number in <cmt> and the whole catch in words in <desc>. The hour of a catch,
// Polish civil time, is written in UTC as GPX wants; a catch whose hour the angler did
// not give has no <time> at all (a map app would show midnight as if it were known), and
// its day is in <desc> instead.
//
// Read: the waypoints (<wpt>) of GPX 1.1 or 1.0. Routes, tracks, extensions and the
// elements of other namespaces are passed over. A <cmt> is read as the number only on a
// waypoint of type "Łowisko": apps put any note there. Waypoints of type "Połów" are
// catches, not waters, and are left out.
namespace Gpx {

// What a waypoint of a file is to the angler's list.
enum class Found {
    New,
    // The list has a water of its name within SameWaterMetres.
    AlreadyThere,
    // An earlier waypoint of the file is the same water.
    RepeatedInFile,
};

struct Waypoint
{
    Water water;
    Found found = Found::New;
};

struct Reading
{
    std::vector<Waypoint> waypoints;
    // A Polish sentence when the file was refused; there are then no waypoints.
    QString error;
};

// A larger file is refused unread. Far above what thousands of waypoints take (a
// waypoint is a few hundred bytes), and room for a phone's long track beside them.
inline constexpr qint64 MaxFileBytes = 64 * 1024 * 1024;
// No angler fishes more waters; past it a file is no list of waters. It also bounds the
// comparing of waypoints of one name with each other.
inline constexpr int MaxWaypoints = 20000;

QByteArray Text(const std::vector<Water> &waters, const std::vector<CatchRecord> &catches);
// Writes the file whole or not at all; false with the Polish reason in error.
bool Write(const QString &path, const std::vector<Water> &waters, const std::vector<CatchRecord> &catches,
           QString *error);

// The waypoints of a GPX file, each compared with the waters the angler has. A file that
// is no GPX, is damaged or holds a document type declaration (the door to entity tricks)
// gives its error and no waypoint.
Reading Read(QIODevice &device, const std::vector<Water> &existing);
Reading ReadFile(const QString &path, const std::vector<Water> &existing);

} // namespace Gpx
