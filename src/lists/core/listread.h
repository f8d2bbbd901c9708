#pragma once
// Reading a list file into the table: the kind by its extension, and the
// rows of a VTL list through the row-append operation, with the read-error
// report.
#include "search/core/folderwalk.h"

#include <QString>
#include <QStringList>

namespace vt {

class OperationContext;
class TableModel;

enum class ListKind { Failed = -1, None = 0, Vtl = 1, Vtx = 2, Vts = 3 };

// By the extension: .vtl, .vtx/.m3u, .vts; None for anything else.
ListKind listKindOf(const QString &path);
// "VTL", "VTX / M3U", "VTS".
QString listKindName(ListKind kind);

struct ListRead {
    ListKind kind = ListKind::None; // None: not read
    int errors = 0;
    StopFlag stop = StopNone;
};

// Appends the rows of a list to the table. The report gets its three head
// lines, one line per record that failed, and "<НЕТ ОШИБОК>" after a read
// without errors. ops (may be null): its stop ends the read, and it serves
// events meanwhile.
ListRead readListRows(TableModel &table, const QString &path, QStringList &report,
                      OperationContext *ops);

} // namespace vt
