#pragma once

#include "base/DateUtils.h"
#include "data/TField.h"

#include <QString>
#include <QVariant>
#include <string_view>

// Conversions between a field's typed value and text, shared by the fetch (engine text
// to value), the fields (AsString, SetAsString) and row writing (value text).
namespace FieldConvert {

// Parsers of engine or typed text; surrounding blanks are ignored. False when the text
// is not of the form.
bool ParseInteger(std::string_view text, int &value);
bool ParseFloat(std::string_view text, double &value);
bool ParseBoolean(std::string_view text, bool &value);
// yyyy-mm-dd with an optional time of day.
bool ParseDate(std::string_view text, TDateTime &value);
// hh:nn[:ss[.zzz]] without a date, as a fraction of a day.
bool ParseTimeOfDay(std::string_view text, TDateTime &value);
// Positional "yyyy-mm-dd hh:nn:ss.zzz"; parts that do not convert leave a zero value.
TDateTime ParseSQLiteDateTime(std::string_view text);

// Raises EConvertError with the message of the field kind ("'x' is not a valid integer
// value" ...).
[[noreturn]] void RaiseConvertError(TFieldType type, const QString &text);

// Shortest text that reads back as the same number, "." as decimal separator, never
// in the exponent form.
QString FloatText(double value);
// The text a person reads: numbers with the Polish decimal comma. Stored and written
// texts keep the ".".
QString ShownText(TFieldType type, const QString &text);
// hh:nn:ss.
QString TimeText(TDateTime value);
// Formats with the tokens yyyy yy mm m dd d hh h nn n ss s zzz; other characters are
// copied. "mm" right after an hour token means minutes.
QString FormatDateTimeText(const QString &format, TDateTime value);

// A typed value from text for a field of the kind (the reading conversions; for numbers
// a "," is taken as the decimal separator). An empty text gives a null value.
QVariant ValueFromText(TFieldType type, const QString &text, bool sqliteDateFormat);
// The part of a moment a field of the kind holds: the day for a date, the time of day
// for a time, the whole moment otherwise.
TDateTime KindPart(TFieldType type, TDateTime value);
// The text form of a typed value; a null value gives "".
QString TextOfValue(TFieldType type, const QVariant &value);
// The value of a new record: empty texts, zeros, today's date, the time now.
QVariant InitialValue(TFieldType type);

} // namespace FieldConvert
