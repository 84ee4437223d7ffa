#pragma once

#include "base/DateUtils.h"

#include <QString>

// The SQL texts of the calendar view's datasets, built in one place. Every value put
// into these texts is a date text or a number made by the program, never user input.
namespace CalendarStatements {

// Diary dates from the 1st of the month to the 1st plus 31 days (day marks).
QString AssignedDays(TDateTime firstOfMonth);

// Species whose protection period covers at least one day of the month from
// monthStart to monthEnd, over the new year included, ordered by od. Species without
// a period are never listed.
QString ProtectedSpecies(TDateTime monthStart, TDateTime monthEnd);

// The tips of one category in a new random order.
QString Tips(int category);

// The filter that narrows the diary table to a day.
QString DayFilter(TDateTime day);

} // namespace CalendarStatements
