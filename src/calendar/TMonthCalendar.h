#pragma once

#include "calendar/TCustomMonthCalendar.h"

// The month grid as hosts place it; all behaviour lives in TCustomMonthCalendar.
class TMonthCalendar : public TCustomMonthCalendar
{
    Q_OBJECT

public:
    using TCustomMonthCalendar::TCustomMonthCalendar;
};
