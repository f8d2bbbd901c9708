#pragma once
// The stores of Options/ are read only up to kStoreMaxBytes: a bigger file
// is not one the program wrote, so it counts as missing, is never written
// over, and the current log says so (once per file and run).
#include "base/limits.h"

#include <QByteArray>
#include <QString>

namespace vt {

enum class StoreRead { Ok, Missing, TooBig, Failed };

// The whole store; out is empty unless Ok.
StoreRead readStore(const QString &path, QByteArray *out);
// True when the file at path is too big to be a store (it is then logged):
// a writer leaves it alone.
bool storeTooBig(const QString &path);

} // namespace vt
