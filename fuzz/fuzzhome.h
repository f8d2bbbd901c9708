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

} // namespace fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);
