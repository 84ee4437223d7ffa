#pragma once

#include <QString>

// What the catch log shows. Empty texts and zero bounds leave that part open; texts
// are matched without regard to letter case.
struct CatchLogFilter
{
    // The whole species name.
    QString species;
    // Inclusive DayText bounds.
    QString from;
    QString to;
    // Parts of the place, the bait and the notes.
    QString place;
    QString bait;
    QString notes;
    double minWeight = 0;
    double minLength = 0;

    bool operator==(const CatchLogFilter &) const = default;
};
