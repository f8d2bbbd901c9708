#pragma once
// What a headless action prints: a line per row (source, destination or new
// name, result, separated by tabs), then the operation log block; and the
// reading of the text files actions take.
#include "base/batchrow.h"

#include <QList>
#include <QStringList>
#include <optional>

namespace vt {

void printBatch(const QList<BatchRow> &rows, const QStringList &opLog, bool test);

// The lines of a text file named on the command line (UTF-8 or cp1251, as
// the windows read them); nullopt with the message on the error stream.
std::optional<QStringList> readLinesFile(const QString &file);

} // namespace vt
