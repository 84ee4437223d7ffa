#pragma once

#include <QString>

// What a diary row may take as a fish's weight and length. Stored values are shown as
// they are; only a value the angler writes is held against these bounds.
namespace CatchValues {

inline constexpr double MaxWeightKg = 400;
inline constexpr double MaxLengthCm = 500;

// The Polish sentence that refuses a value written into column `waga` or `dlugosc`,
// saying what is allowed; empty when the value is believable and for other columns.
QString Refusal(const QString &column, double value);

// A weight or length, or a sum of them, as the log, its CSV and the register show it:
// with a decimal comma, and blank when nothing was measured (a blank value reads as 0,
// which no fish weighs).
QString MeasureText(double value);

} // namespace CatchValues
