#pragma once
// Dates as the date and time pickers hold them: days counted from 30.12.1899,
// the time of day as the fraction.
#include <QDateTime>

namespace vt {

// 31.12.1899 00:00, the earliest usable bound.
constexpr double kEarliestDate = 1.0;
// 31.12.9999 00:00, the latest date.
constexpr double kLatestDate = 2958465.0;

double toDays(const QDateTime &dt);
// Rounded to the nearest second.
QDateTime fromDays(double days);
// Whole-day part and day fraction of a value.
double wholeDays(double days);
double dayFraction(double days);

} // namespace vt
