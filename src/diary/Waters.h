#pragma once

#include "base/GeoPoint.h"

#include <QString>
#include <optional>
#include <vector>

class TDbConnection;

// A water the angler fishes, with its number in the district's list ("nr łowiska"),
// which the yearly register asks for, and where it lies, when the angler said.
struct Water
{
    QString name;
    QString number;
    std::optional<GeoPoint> position;

    bool operator==(const Water &) const = default;
};

// The angler's waters ("Moje łowiska"), kept in the diary's table lowiska.
namespace Waters {

// Throws the data layer's errors; a diary without the table has none.
std::vector<Water> Read(TDbConnection &connection);
// Replaces the list in one transaction; waters without a name are left out.
void Write(TDbConnection &connection, const std::vector<Water> &waters);
// What two names of waters are compared by: letter case and blanks aside.
QString NameKey(const QString &name);
// Two points of one name this close are one water: a phone's fix wanders by some metres,
// and waters that share a name lie farther apart than that.
inline constexpr double SameWaterMetres = 50;
// The water a catch's place names (letter case and blanks aside); none when it names
// none.
const Water *Named(const std::vector<Water> &waters, const QString &place);
// Its number; empty when the place names no water.
QString NumberOf(const std::vector<Water> &waters, const QString &place);

} // namespace Waters
