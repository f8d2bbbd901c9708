#include "platform/localtime.h"

#include <cstdint>

namespace vt::fs {
namespace {

// Days since 1970-01-01 to a civil date (proleptic Gregorian).
void civilFromDays(qint64 z, int &y, int &m, int &d)
{
    z += 719468;
    const qint64 era = (z >= 0 ? z : z - 146096) / 146097;
    const qint64 doe = z - era * 146097;
    const qint64 yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const qint64 doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const qint64 mp = (5 * doy + 2) / 153;
    d = int(doy - (153 * mp + 2) / 5 + 1);
    m = int(mp < 10 ? mp + 3 : mp - 9);
    y = int(yoe + era * 400 + (m <= 2 ? 1 : 0));
}

// The zone offset changes a few times a year at most, so the offset is kept
// per UTC day: where the day starts and ends with the same offset it holds
// for the whole day; a day with a change asks the C library every time.
struct OffsetCache {
    static constexpr int kSize = 4096; // eleven years of days
    struct Day {
        qint64 day = INT64_MIN;
        long offset = 0;
        bool changes = false;
    };
    Day days[kSize]; // one cache line per look-up
    long get(qint64 secs)
    {
        const qint64 d = secs >= 0 ? secs / 86400 : (secs - 86399) / 86400;
        Day &slot = days[quint64(d) % kSize];
        if (slot.day != d) {
            const long first = utcOffsetAt(d * 86400), last = utcOffsetAt(d * 86400 + 86399);
            slot.day = d;
            slot.offset = first;
            slot.changes = first != last;
        }
        return slot.changes ? utcOffsetAt(secs) : slot.offset;
    }
    // Whether the offset of that UTC day holds all day.
    bool steady(qint64 secs)
    {
        const qint64 d = secs >= 0 ? secs / 86400 : (secs - 86399) / 86400;
        const Day &slot = days[quint64(d) % kSize];
        return slot.day == d && !slot.changes;
    }
};

} // namespace

CivilTime toLocalCivil(qint64 secs)
{
    // Most entries of a walk share a few days: the last UTC day with one
    // offset all day, and the last local day's date, are kept beside the cache.
    static thread_local qint64 steadyDay = INT64_MIN;
    static thread_local long steadyOffset = 0;
    static thread_local qint64 lastDays = INT64_MIN;
    static thread_local int lastY = 0, lastM = 0, lastD = 0;
    const qint64 utcDay = secs >= 0 ? secs / 86400 : (secs - 86399) / 86400;
    long offset = steadyOffset;
    if (utcDay != steadyDay) {
        static thread_local OffsetCache cache;
        offset = cache.get(secs);
        if (cache.steady(secs)) {
            steadyDay = utcDay;
            steadyOffset = offset;
        }
    }
    const qint64 local = secs + offset;
    qint64 days = local >= 0 ? local / 86400 : (local - 86399) / 86400;
    const qint64 rest = local - days * 86400;
    if (days != lastDays) {
        lastDays = days;
        civilFromDays(days, lastY, lastM, lastD);
    }
    CivilTime c{};
    c.year = lastY;
    c.month = lastM;
    c.day = lastD;
    c.hour = int(rest / 3600);
    c.minute = int(rest / 60 % 60);
    c.second = int(rest % 60);
    return c;
}

} // namespace vt::fs
