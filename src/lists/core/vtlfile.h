#pragma once
// Writing a table into a VTL list, and adding rows to one. Every list file
// is written whole through a temporary file, so a crash never leaves a
// half-written list.
#include "table/core/tablemodel.h"

#include <QString>

namespace vt {

// The path a row stores in a list; null when its bytes are not valid UTF-8
// (no list format can hold them).
QString listPath(const RowEntry &e);

struct ListWrite {
    bool ok = false;  // the file was written
    int written = 0;  // records
    int leftOut = 0;  // rows whose path no record can hold
};
// Every row (or only the selected ones) in table order.
ListWrite writeVtl(const QString &file, const TableModel &table, bool selectedOnly);

struct VtlAppend {
    bool opened = false; // the list could be read (and, when anything was added, written)
    int existing = 0;    // records before
    int added = 0;
    int leftOut = 0;     // rows whose path no record can hold
};
// Adds the rows that the list does not hold yet, compared by short form,
// never growing the list past 9999 records. Rows without a short form are
// skipped.
VtlAppend appendVtl(const QString &file, const Selection &rows);

} // namespace vt
