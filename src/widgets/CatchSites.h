#pragma once

#include "diary/Waters.h"
#include "sky/Astronomy.h"

#include <QString>
#include <vector>

// Where the sky of a catch is seen from: the position of the angler's water its place
// names, when that water has one; otherwise the place the calendar's sky is shown for.
inline Astronomy::Site SkySiteOf(const QString &place, const std::vector<Water> &waters,
                                 const Astronomy::Site &skyPlace)
{
    const Water *water = Waters::Named(waters, place);
    return water && water->position ? *water->position : skyPlace;
}
