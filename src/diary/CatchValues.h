#pragma once

#include <QString>
#include <optional>

// What a diary row may take as a fish's weight and length. Stored values are shown as
// they are; only a value the angler writes is held against these bounds.
namespace CatchValues {

inline constexpr double MaxWeightKg = 400;
inline constexpr double MaxLengthCm = 500;

// The Polish sentence that refuses a value written into column `waga` or `dlugosc`,
// saying what is allowed; empty when the value is believable and for other columns.
QString Refusal(const QString &column, double value);

// The hour of a catch as the diary stores it, "HH:MM", from what the angler typed: "5:10",
// "05.10", "0510" or a bare hour "5"; empty for nothing typed; none for a text that is no
// time of day.
std::optional<QString> HourText(const QString &typed);

// A weight or length, or a sum of them, as the log, its CSV and the register show it:
// with a decimal comma, and blank when nothing was measured (a blank value reads as 0,
// which no fish weighs).
QString MeasureText(double value);

} // namespace CatchValues
