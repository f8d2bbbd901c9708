#pragma once
// Local civil time of a moment, fast enough to be asked for every entry of a
// large folder walk.
#include <QtGlobal>

namespace vt::fs {

struct CivilTime {
    int year, month, day, hour, minute, second;
};

CivilTime toLocalCivil(qint64 secsSinceEpoch);

} // namespace vt::fs
