#include "platform/localtime.h"

#include <ctime>

namespace vt::fs {

// The C library's local time, which Qt's local time uses as well.
long utcOffsetAt(qint64 secs)
{
    const __time64_t t = __time64_t(secs);
    struct tm local {};
    if (_localtime64_s(&local, &t) != 0)
        return 0;
    return long(_mkgmtime64(&local) - t);
}

} // namespace vt::fs
