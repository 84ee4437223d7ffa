#include "diary/CalendarStatements.h"

namespace CalendarStatements {

QString AssignedDays(TDateTime firstOfMonth)
{
    return QStringLiteral("SELECT data FROM dziennik WHERE ((data>=\"%1\") AND (data<\"%2\") )")
        .arg(DayText(firstOfMonth), DayText(firstOfMonth + 31));
}

QString ProtectedSpecies(TDateTime monthStart, TDateTime monthEnd)
{
    // A period inside one year overlaps the month when it starts before the month ends
    // and ends after it starts; one over the new year (do before od) is two pieces,
    // od..12-31 and 01-01..do, and overlaps when either piece does. Comparing whole
    // months only would hide a closed season starting mid-month, and would drop
    // September to December from a season running to January.
    // A period stored as ending 02-28 ends with February (the year 0001 has no 29th), so
    // it reaches 29 February of a leap year.
    const QString s = QStringLiteral("0001-") + MonthDay(monthStart);
    const QString e = QStringLiteral("0001-") + MonthDay(monthEnd);
    const QString end = QStringLiteral("(CASE WHEN do='0001-02-28' THEN '0001-02-29' ELSE do END)");
    return QStringLiteral("SELECT nazwa,od,do FROM ryby WHERE (od<>\"\") AND (do<>\"\") AND ("
                          "((od<=do) AND (od<=\"%2\") AND (%3>=\"%1\")) OR "
                          "((od>do) AND ((od<=\"%2\") OR (%3>=\"%1\")))"
                          ") ORDER BY od;")
        .arg(s, e, end);
}

QString Tips(int category)
{
    return QStringLiteral("SELECT porada FROM porady WHERE  rodzaj_porady=\"%1\" ORDER BY random();").arg(category);
}

QString DayFilter(TDateTime day)
{
    return QStringLiteral("data=\"%1\"").arg(DayText(day));
}

} // namespace CalendarStatements
