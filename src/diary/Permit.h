#pragma once

#include <QString>
#include <vector>

class TDbConnection;

// One species' rules in the angler's permit: a protected size in centimetres, a closed
// season as month and day (month * 100 + day) and a count of fish that may be kept a
// day. A zero leaves that rule to the national regulation.
struct PermitSpecies
{
    QString name;
    double size = 0;
    int from = 0;
    int to = 0;
    int dailyCount = 0;
};

// The angler's permit ("zezwolenie") of one district and year, as the angler typed it:
// the program ships no district's rules. Kept in the diary's tables zezwolenie and
// zezwolenie_gatunki, so a backup carries it.
struct Permit
{
    // As the angler calls it: the district and the kind of permit.
    QString name;
    // The permit's number and its holder, which the yearly register is signed with.
    QString number;
    QString angler;
    int year = 0;
    // Kilograms of fish that may be kept a day in all; 0 for no limit.
    double dailyKg = 0;
    std::vector<PermitSpecies> species;

    bool IsEmpty() const
    {
        return name.trimmed().isEmpty() && number.trimmed().isEmpty() && angler.trimmed().isEmpty() && dailyKg <= 0 &&
               species.empty();
    }
    // Whether its rules bind a catch of the day (DayText): the permit's year, or any
    // year when it names none.
    bool AppliesTo(QStringView day) const;
    // The same for the year of a day read already.
    bool AppliesToYear(int dayYear) const { return year == 0 || dayYear == year; }

    // Throws the data layer's errors. A diary without the tables reads as no permit; one
    // opened read-only before it had the number and the angler reads without them.
    static Permit Read(TDbConnection &connection);
    // Replaces the stored permit in one transaction.
    void Write(TDbConnection &connection) const;

    // "mm-dd" and back; 0 for a text that is no day of the year.
    static int MonthDayOf(const QString &text);
    static QString MonthDayText(int monthDay);
};
