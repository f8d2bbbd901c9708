#pragma once
// The table as a VTS snapshot and back: writing it whole, reading it without
// the disk, rewriting only the header, and what the VTS chooser lists.
#include "lists/core/listread.h"
#include "lists/core/vtlfile.h"
#include "lists/core/vtsformat.h"

#include <QDateTime>
#include <QList>
#include <QStringList>

namespace vt {

class OperationContext;
class TableModel;

// Writes the header and every row in table order. The header's start folder
// is the table's; when no record can hold it, the rows carry full paths and
// the start folder stays empty.
ListWrite writeVts(const QString &file, const TableModel &table, VtsHeader header);

// The header and the record count of a file holding at least one row; false
// for anything else (missing, not a regular file, shorter than two records).
bool readVtsHeader(const QString &file, VtsHeader *header, int *records = nullptr);

enum class HeaderRewrite { Done, Unreadable, WriteFailed };
// Sets the mark and the description of a snapshot; its rows are untouched.
HeaderRewrite rewriteVtsHeader(const QString &file, int mark, const QString &description);

struct VtsRead {
    bool ok = false;     // a usable snapshot was read
    int rows = 0;
    int errors = 0;      // records without a usable name
    StopFlag stop = StopNone;
    VtsHeader header;
};
// Appends the rows of a snapshot to the (empty) table and sets its start
// folder from the header. The report gets the read-error lines as for a VTL
// list. Every 100 records ops (may be null) serves events and its stop ends
// the read; the table never grows past 9999 rows.
VtsRead readVtsRows(TableModel &table, const QString &file, QStringList &report, OperationContext *ops);

// Rows read from a snapshot have no 8.3 text; adding them to a VTL list needs
// it. Looks it up for every selected row without one and answers how many
// selected rows have one afterwards.
int fillSelectedShortForms(TableModel &table);

// One line of the VTS chooser.
struct VtsEntry {
    int mark = 0;
    QString description;
    int records = 0;       // rows
    qint32 created = 0;    // days since 30.12.1899
    QDateTime modified;    // the file's last write
    QString fileName;      // with its extension
    QString startFolder;
};
// The usable snapshots of a folder, oldest write first.
QList<VtsEntry> vtsEntries(const QString &folder);

enum VtsColumn { VtsColType = 0, VtsColDesc, VtsColRecords, VtsColCreated, VtsColModified, VtsColName,
                 VtsColFolder, VtsColCount };
// Sorts by a chooser column; equal keys by the upper-cased file name.
void sortVtsEntries(QList<VtsEntry> &entries, int column, bool descending);

} // namespace vt
