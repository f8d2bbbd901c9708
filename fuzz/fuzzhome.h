#pragma once
// Shared by the fuzz targets: a private data folder for the stores the
// readers look at, and the entry point every target defines.
#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace fuzz {

// VESTRADA_HOME of this process (made once, with Options/), with a final "/".
QString home();
// The input written to home() + name, replacing what was there; the full path.
QString put(const QString &name, const uint8_t *data, size_t size);
// Stops the run with a message: a property of the reader did not hold.
[[noreturn]] void fail(const char *what);
// An input bigger than the program ever reads for that file (it counts as
// missing there): not tried, as the program would not read it either.
inline bool beyond(size_t size, qint64 cap) { return qint64(size) > cap; }

} // namespace fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);
