#pragma once

#include "base/DateUtils.h"

// "Today" and "now" for the whole program. Tests pin the clock to a known moment.
class Clock
{
public:
    static TDateTime Now();
    static TDateTime Today() { return DateOf(Now()); }

    static void Pin(TDateTime moment);
    static void Unpin();
};
