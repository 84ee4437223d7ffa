#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

// A date is a day count held as a double: days since 30 December 1899, the fraction
// being the time of day. 0 is the zero date, which is what an empty date value reads as.
using TDateTime = double;

constexpr TDateTime ZeroDate = 0.0;

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int msec);
void DecodeDate(TDateTime date, int &year, int &month, int &day);
// Whole day, truncated toward zero.
TDateTime DateOf(TDateTime dateTime);
// 1 = Sunday ... 7 = Saturday.
int DayOfWeek(TDateTime date);

QDate ToQDate(TDateTime date);
TDateTime FromQDate(const QDate &date);
TDateTime FromQDateTime(const QDateTime &dateTime);

// yyyy-mm-dd without the time of day: the one date text of the program (SQL literals,
// the diary filter, photo folder names, stored dates). Text order is date order.
QString DayText(TDateTime date);

// yyyymmdd of a text that begins with the digits of yyyy-mm-dd, whatever follows; -1 for
// any other text. Two such texts with different numbers are in the numbers' order, and a
// number hashes and compares far faster than the text.
qint64 DateNumber(QStringView text);

// Parses "yyyy-mm-dd" with an optional " hh:nn[:ss[.zzz]]". False when it does not parse.
bool TryParseDateText(const QString &text, TDateTime &result);

// The month-day part of DayText (03-15 for 15 March), or "-" for the zero date;
// any 30 December gives "-" too, since only the text "12-30" is compared.
QString MonthDay(TDateTime date);
