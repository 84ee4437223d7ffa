#pragma once

#include "base/DateUtils.h"

#include <QString>
#include <set>

// The SQL the calendar view and its diary send, built in one place. Every value put
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

// The day's first, empty diary row; it may carry the day's moon phase (a name the
// program makes, never user input).
QString FirstDiaryRow(TDateTime day, const QString &moonPhase = {});
// Every diary row of a day.
QString DeleteDay(TDateTime day);
// The rows of a day that the program started in this session (startedRows) and that
// were left without a species. Rows of the file from before are never named.
QString DeleteUnfilledRows(TDateTime day, const std::set<qint64> &startedRows);
// One catch, by its row identity.
QString DeleteCatch(qint64 rowId);
// The filter that narrows the diary table to a day.
QString DayFilter(TDateTime day);

} // namespace CalendarStatements
