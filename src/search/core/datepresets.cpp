#include "search/core/datepresets.h"

#include "base/oledate.h"

#include <cmath>

namespace vt {
namespace {

const QDate kBase(1899, 12, 30);

// These are the offsets users have always got; they are not whole minutes.
double minOffset(int tag)
{
    switch (tag) {
    case 7: return 0.0006945;
    case 8: return 0.001389;
    case 9: return 0.0020834;
    case 1: return 0.003473;
    case 2: return 0.006944;
    case 3: return 0.013889;
    case 4: return 0.04167;
    default: return 0;
    }
}

double maxOffset(int tag)
{
    switch (tag) {
    case 1: return 0.0006945;
    case 2: return 0.0020834;
    case 3: return 0.003473;
    case 4: return 0.006944;
    case 5: return 0.013889;
    default: return 0;
    }
}

} // namespace

DateTimePair minDatePreset(int tag, double nowDays)
{
    const double today = wholeDays(nowDays);
    const double t = dayFraction(nowDays);
    if (tag == 5)
        return {today - 1, t};
    double m = t - minOffset(tag);
    if (m < 0)
        return {today - 1, m + 1};
    return {today, m};
}

DateTimePair maxDatePreset(int tag, double nowDays)
{
    const double today = wholeDays(nowDays);
    const double t = dayFraction(nowDays);
    if (tag == 7)
        return latestBound();
    if (tag == 6)
        return {today + 1, t};
    double m = t + maxOffset(tag);
    if (m >= 1)
        return {today + 1, m - 1};
    return {today, m};
}

DateTimePair earliestBound() { return {kEarliestDate, 0}; }
DateTimePair latestBound() { return {kLatestDate, 0}; }

Toggle toggleMinDate(double minDate, double nowDays)
{
    if (wholeDays(minDate) != kEarliestDate)
        return {earliestBound(), 1};
    return {minDatePreset(2, nowDays), 2};
}

Toggle toggleMaxDate(double maxDate, double nowDays)
{
    if (wholeDays(maxDate) != kLatestDate)
        return {latestBound(), 1};
    return {maxDatePreset(0, nowDays), 2};
}

double daysOfDate(const QDate &d) { return double(kBase.daysTo(d)); }

QDate dateOfDays(double days) { return kBase.addDays(qint64(std::floor(days))); }

double fractionOfTime(const QTime &t) { return t.msecsSinceStartOfDay() / 86400000.0; }

QTime timeOfFraction(double fraction)
{
    qint64 ms = std::llround(dayFraction(fraction) * 86400000.0);
    if (ms > 86399999)
        ms = 86399999;
    return QTime::fromMSecsSinceStartOfDay(int(ms));
}

} // namespace vt
