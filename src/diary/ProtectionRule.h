#pragma once

#include "base/DateUtils.h"

#include <QString>
#include <QStringList>
#include <vector>

class TDbConnection;

// A species' protection as the species table gives it: the closed season as month and
// day (month * 100 + day, 0 when the species has none) and the protected size in
// centimetres (0 when none).
struct SpeciesProtection
{
    QString name;
    int from = 0;
    int to = 0;
    double size = 0;
};

// Whether a caught fish may be kept: its species is looked up by name, without regard
// to letter case or Polish diacritics, and the catch's day and length are held against
// the species' closed season (over the new year too) and protected size.
namespace ProtectionRule {

// Lower case, without Polish diacritics, inner blanks made single: the key species
// names are compared by.
QString FoldedName(const QString &name);

const SpeciesProtection *Find(const std::vector<SpeciesProtection> &species, const QString &name);

bool InClosedSeason(const SpeciesProtection &species, TDateTime day);
// The same for a day given by MonthDayKey, worked out once for the many catches of a day.
bool InClosedSeasonOn(const SpeciesProtection &species, int monthDay);
// month * 100 + day; 0 for the zero date, which stands for no date.
int MonthDayKey(TDateTime date);
int MonthDayKey(int year, int month, int day);

// The rules a catch breaks, one Polish sentence each; empty when it may be kept.
// A length of 0 or less is an unmeasured fish and breaks no size rule.
QStringList Broken(const SpeciesProtection &species, TDateTime day, double lengthCm);
// Looks the species up first; empty when the name matches none.
QStringList Broken(const std::vector<SpeciesProtection> &species, const QString &name, TDateTime day, double lengthCm);

// Every row of ryby. Throws the data layer's errors.
std::vector<SpeciesProtection> ReadSpecies(TDbConnection *connection);

} // namespace ProtectionRule
