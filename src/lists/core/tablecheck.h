#pragma once
// Checking every row of the table against the disk: missing entries, a file
// that became a folder (or back), a changed size or modification time. Rows
// are corrected in place and exactly the rows with a problem end selected.
#include <QStringList>

namespace vt {

class OperationContext;
class TableModel;

struct CheckResult {
    int corrected = 0;   // found rows that had a problem
    int missing = 0;     // rows whose entry is gone (their 8.3 cell is emptied)
    bool recount = false; // kind or size changed: the counters must be recounted
};

// Appends one line per problem and, for each problem row, its path and "---".
CheckResult checkTable(TableModel &table, QStringList &report, OperationContext *ops);

} // namespace vt
