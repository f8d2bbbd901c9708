#pragma once
// Local civil time of a moment, fast enough to be asked for every entry of a
// large folder walk.
#include <QtGlobal>

namespace vt::fs {

struct CivilTime {
    int year, month, day, hour, minute, second;
};

CivilTime toLocalCivil(qint64 secsSinceEpoch);

// Seconds east of UTC of local time at that moment, as the C library sees
// it (the same source as Qt's local time); per system.
long utcOffsetAt(qint64 secsSinceEpoch);

} // namespace vt::fs
