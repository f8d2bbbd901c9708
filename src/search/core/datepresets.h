#pragma once
// Quick settings of the date range: presets relative to now, the toggles of
// the "Мин.:" and "Макс.:" labels and the two key presets. Values are days
// since 30.12.1899: a whole-day date and a day-fraction time.
#include <QDate>
#include <QTime>

namespace vt {

struct DateTimePair {
    double date = 0; // whole days
    double time = 0; // fraction of a day
    bool operator==(const DateTimePair &o) const = default;
};

// 23:59:59 as the maximum time preset sets it.
constexpr double kEndOfDayFraction = 0.99999;

// Minimum presets by menu Tag: 6 now, 7 1 min, 8 2 min, 9 3 min, 1 5 min,
// 2 10 min, 3 20 min, 4 1 hour, 5 a day back.
DateTimePair minDatePreset(int tag, double nowDays);
// Maximum presets by menu Tag: 0 now, 1 1 min, 2 3 min, 3 5 min, 4 10 min,
// 5 20 min, 6 a day ahead, 7 the latest date at 00:00.
DateTimePair maxDatePreset(int tag, double nowDays);

DateTimePair earliestBound();
DateTimePair latestBound();

// Label toggles: the new bound and the sound that goes with it.
struct Toggle {
    DateTimePair bound;
    int sound = 0;
};
Toggle toggleMinDate(double minDate, double nowDays);
Toggle toggleMaxDate(double maxDate, double nowDays);

// Conversions between the pickers and day values.
double daysOfDate(const QDate &d);
QDate dateOfDays(double days);
double fractionOfTime(const QTime &t);
// Never rounds up to the next day's midnight.
QTime timeOfFraction(double fraction);

} // namespace vt
