#include "platform/localtime.h"

#include <ctime>

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

// The zone offset changes at most a few times a year and at whole quarter
// hours, so one localtime_r call per quarter hour seen is enough.
struct OffsetCache {
    static constexpr int kSize = 512;
    qint64 key[kSize];
    long offset[kSize];
    OffsetCache()
    {
        for (auto &k : key)
            k = INT64_MIN;
    }
    long get(qint64 secs)
    {
        const qint64 bucket = secs >= 0 ? secs / 900 : (secs - 899) / 900;
        const int slot = int(quint64(bucket) % kSize);
        if (key[slot] != bucket) {
            const time_t t = time_t(bucket * 900);
            struct tm tmv {};
            localtime_r(&t, &tmv);
            key[slot] = bucket;
            offset[slot] = tmv.tm_gmtoff;
        }
        return offset[slot];
    }
};

} // namespace

CivilTime toLocalCivil(qint64 secs)
{
    static thread_local OffsetCache cache;
    const qint64 local = secs + cache.get(secs);
    qint64 days = local >= 0 ? local / 86400 : (local - 86399) / 86400;
    const qint64 rest = local - days * 86400;
    CivilTime c{};
    civilFromDays(days, c.year, c.month, c.day);
    c.hour = int(rest / 3600);
    c.minute = int(rest / 60 % 60);
    c.second = int(rest % 60);
    return c;
}

} // namespace vt::fs
