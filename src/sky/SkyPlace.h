#pragma once

#include "sky/Astronomy.h"

#include <QString>
#include <vector>

// The place whose sky the calendar shows: one of the listed places (the centre of
// Poland, the seats of the voivodeships) or coordinates the user typed. Kept in the
// user's settings.
struct SkyPlace
{
    QString name;
    Astronomy::Site site;

    bool operator==(const SkyPlace &) const = default;
};

namespace SkyPlaces {

// The centre of Poland first, then the voivodeship seats in alphabetical order.
const std::vector<SkyPlace> &Listed();
const SkyPlace &Default();

// Coordinates on the Earth: latitude within -90..90, longitude within -180..180. Beyond
// the polar circles a day may have no rising or setting; the sky says so.
bool Valid(const Astronomy::Site &site);

// The saved place, the default when none is saved or the saved one is unusable.
SkyPlace Load();
void Save(const SkyPlace &place);

} // namespace SkyPlaces
