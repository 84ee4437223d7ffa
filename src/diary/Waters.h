#pragma once

#include <QString>
#include <vector>

class TDbConnection;

// A water the angler fishes, with its number in the district's list ("nr łowiska"),
// which the yearly register asks for.
struct Water
{
    QString name;
    QString number;
};

// The angler's waters ("Moje łowiska"), kept in the diary's table lowiska.
namespace Waters {

// Throws the data layer's errors; a diary without the table has none.
std::vector<Water> Read(TDbConnection &connection);
// Replaces the list in one transaction; waters without a name are left out.
void Write(TDbConnection &connection, const std::vector<Water> &waters);
// The number of the water a catch's place names (letter case and blanks aside);
// empty when it names none.
QString NumberOf(const std::vector<Water> &waters, const QString &place);

} // namespace Waters
