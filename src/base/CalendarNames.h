#pragma once

#include <QString>
#include <array>

// Polish weekday names indexed by weekday number, 1 = Sunday ... 7 = Saturday (0 unused).
extern const std::array<QString, 8> DayNames;
// Polish month names indexed 1 = January ... 12 = December (0 unused).
extern const std::array<QString, 13> MonthNames;
// Days of each month, index 0 standing for December of the previous year. February
// has 28 here; callers raise it for leap years where they need to.
inline constexpr std::array<int, 13> MonthLengths{31, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
