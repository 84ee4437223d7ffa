#pragma once

#include <QString>
#include <memory>

class CatchRules;

// What judging found of a catch: the rules it breaks, its number among the day's kept
// fish of its species and the day's kept weight up to it. Their sentences are written
// only for the catches shown, from the rules that judged it.
struct CatchVerdict
{
    enum Rule : quint8 { NationalSeason = 1, OwnSeason = 2, Size = 4, Limit = 8, DailyKg = 16 };
    quint8 broken = 0;
    int count = 0;
    double keptKg = 0;
    std::shared_ptr<const CatchRules> rules;
};

// One catch of the diary as the catch log reads it: the stored texts, the numbers
// parsed once.
struct CatchRecord
{
    qint64 rowId = 0;
    // DayText of the catch; text order is date order.
    QString day;
    QString species;
    double weight = 0;
    double length = 0;
    QString place;
    QString bait;
    QString wind;
    QString moon;
    QString notes;
    QString photo;
    // Kept ("zabrana") or released; catches stored before the diary knew count as kept.
    bool kept = true;
    // "HH:MM" when the angler gave the hour of the catch ("godzina"), else empty.
    QString hour;
    // What the rules found when the catch was judged (CatchRules::Mark).
    CatchVerdict verdict{};
    // The rules the catch breaks, as the angler was warned of them; empty when none or
    // when it was not judged.
    QString Warning() const;
    bool BreaksRules() const { return verdict.broken != 0; }
    // 1 to 12, 0 when the stored day does not read as a date.
    int month = 0;

    // Set by the catch log: the species, place and bait as an index into its name lists
    // (-1 for an empty text), so that filtering a long diary compares numbers.
    int speciesKey = -1;
    int placeKey = -1;
    int baitKey = -1;
};
