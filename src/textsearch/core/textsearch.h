#pragma once
// The text search over the selected rows of the result table: one log block
// per file, the rows whose file holds the string, and the follow-up that
// deselects or removes the others.
#include "textsearch/core/textscan.h"

#include <QList>
#include <QStringList>

namespace vt {

class OperationContext;
class TableModel;

// The most selected files one text search takes.
constexpr int kTextSearchMaxFiles = 1000;

struct TextSearchOptions {
    bool caseSensitive = false;
    int names = 1;          // 0: no path line, 1: only where found, 2: every file
    bool sizeLine = true;   // size and line count after the path line
    bool countLine = true;  // number of matching lines
    bool numbersLine = false;
    FoundLines foundLines = FoundLines::First;
};

// Reads one file and appends its block; true when a line matched.
bool WriteLog(QStringList &log, const TextSearchOptions &o, const TextNeedle &needle,
              const QString &sizeText, const QByteArray &nativePath);

struct TextSearchResult {
    QList<int> found; // table rows whose file holds the string, in table order
    int selected = 0; // selected rows, files and folders
};

// Clears the log, writes the header, a block per selected non-empty file
// and the summary. The files are read and scanned on worker threads ahead
// of the blocks, which are written in table order on the calling thread.
// ops (may be null) is pumped at least once per file; its stop ends the
// search between files (the worker inside a file stops at its next match).
TextSearchResult Parser(const TableModel &table, const QString &typed, const TextSearchOptions &o,
                        QStringList &log, OperationContext *ops);

// The selected rows outside `found`: removed (remove) or deselected.
// Returns how many rows were affected.
int applyNotFound(TableModel &table, const QList<int> &found, bool remove);

} // namespace vt
