#pragma once
// The row-append operation in its single-path form: list readers and path
// adders put one file or folder into the table through it.
#include "platform/fileentry.h"
#include "platform/shortpath.h"
#include "search/core/folderwalk.h"

#include <QString>

namespace vt {

class TableModel;

// The bounds that the caller sets before appending, and the stop flag that
// tells it to end its loop. List readers keep the defaults: every entry passes.
struct AppendState {
    QString startFolder;        // the search start folder, empty for full paths
    int limit = 9999;
    quint32 attrSet = fs::AttrAll;
    quint32 minStamp = 0, maxStamp = 0xFFFFFFFFu;
    qint64 minKb = 0, maxKb = 1073741824;
    int stopFlag = StopNone;
    fs::ShortPathCache shortForms; // folder listings read during this run
};

enum AppendResult { AppendStop = 0, AppendNotAdded = 1, AppendAdded = 2 };

// Appends one path (a folder without a trailing separator, one is dropped).
// 0 stop (the stop flag is set), 1 not added (missing, filtered out or
// without a short form), 2 added or already present.
int appendPath(TableModel &table, AppendState &st, const QString &path, qint64 ord = 0,
               qint64 page = 0);

} // namespace vt
