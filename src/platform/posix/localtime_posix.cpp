#include "platform/localtime.h"

#include <ctime>

namespace vt::fs {

long utcOffsetAt(qint64 secs)
{
    const time_t t = time_t(secs);
    struct tm tmv {};
    localtime_r(&t, &tmv);
    return tmv.tm_gmtoff;
}

} // namespace vt::fs
