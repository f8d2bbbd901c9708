#pragma once
// One row of a batch as the headless modes print it: where it was, where it
// went or its new name (empty when there is none), and the result text the
// operation log gives it.
#include <QString>

namespace vt {

struct BatchRow {
    QString source;
    QString dest;
    QString result;
};

} // namespace vt
