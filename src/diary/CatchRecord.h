#pragma once

#include <QString>

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
    // The rules the catch breaks, as the angler was warned of them; empty when none.
    QString warning;
    // 1 to 12, 0 when the stored day does not read as a date.
    int month = 0;

    // Set by the catch log: the species, place and bait as an index into its name lists
    // (-1 for an empty text), and the notes in folded case, so that filtering a long
    // diary compares numbers and never folds a text twice.
    int speciesKey = -1;
    int placeKey = -1;
    int baitKey = -1;
    QString foldedNotes;
};
