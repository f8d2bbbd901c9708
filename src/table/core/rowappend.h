#pragma once
// The row-append operation in its single-path form: list readers and path
// adders put one file or folder into the table through it.
#include "base/entryfilter.h"
#include "base/limits.h"
#include "platform/shortpath.h"

#include <QString>

namespace vt {

class TableModel;

// The bounds that the caller sets before appending, and whether the caller
// must end its loop. List readers keep the defaults: every entry passes.
struct AppendState {
    EntryFilter filter;
    int limit = kRowLimitMax;
    bool stopped = false;          // the limit was reached (or the caller stopped)
    bool limitReached = false;
    fs::ShortPathCache shortForms; // folder listings read during this run
};

enum class AppendResult { Stop = 0, NotAdded = 1, Added = 2 };

// Appends one full path (a folder without a trailing separator, one is
// dropped). Stop: the state is stopped; NotAdded: missing, filtered out or
// without a short form; Added: added or already present. The short form is
// taken from the table's start folder + folder + name, so a table that holds
// relative rows adds nothing until it is converted to full paths.
AppendResult appendPath(TableModel &table, AppendState &st, const QString &path, qint64 ord = 0,
                        qint64 page = 0);

} // namespace vt
