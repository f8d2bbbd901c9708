#pragma once
// One run of the current rule over rows, as a test or for real: the rows a
// preview takes from the result table, the question before a run, the
// counter that only successful rows advance, and the log lines. The preview
// window and `--rename` both run it.
#include "rename/core/renrule.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace vt {

class TableModel;

struct RenRow {
    int pos = 0;          // 1-based row of the result table it came from
    QString folder;       // with trailing separator
    QString name;         // without extension (folders: the whole name)
    QString ext;          // without dot; empty for folders
    QByteArray oldNative; // exact bytes of the path (after a real run: the new path)
    QString lenText;      // "name / ext • total"
    // After a test or run:
    QString newName, newExt, newLen, result;
    int code = 0;
};

// name length + " / " + extension length + " • " + total
QString renLengthText(qsizetype nameLen, qsizetype extLen, qsizetype total);

// The rows of `rows` (0-based, in that order) a rename can work on: files
// that exist with a short form and an extension, or folders that exist.
QList<RenRow> renRowsFromTable(const TableModel &table, const QList<int> &rows, bool dirs);

// Files with extension replacement: cleans Ext1/Ext2 of the rule (cut to 10)
// and gives the arguments for ren(); false when either ends up empty.
bool renPrepareExt(TRenRule &rule, bool dirs, QString *ext1Upper, QString *newExt);

// The checks before a run: cleans the extensions to replace (files), and
// gives the refusal message, or empty when the rule may run. A rule that does
// not trim is then marked valid (ObrFlags 1, "start" only).
QString renCheckRule(TRenRule &rule, bool dirs);

// The confirmation text of a run over n rows.
QString renConfirmText(const TRenRule &rule, bool dirs, int n, bool test);
// "<date-time> Переименование, правило (файлов: n)"
QString renLogHeader(bool dirs, int n);

// Runs the rule over rows top to bottom. A test touches nothing on disk; a
// real run renames, takes the new names into the rows and adds a line per
// row to opLog ("old >> new", or the path and the result text). Returns the
// number of rows that went OK.
int renBatch(const TRenRule &rule, bool dirs, bool test, const QString &ext1Upper, const QString &newExt,
             QList<RenRow> &rows, QStringList *opLog);

// After a real run: the result-table row of each renamed row (its `pos`)
// takes the new path, so name, type and 8.3 follow.
void renUpdateTable(TableModel &table, const QList<RenRow> &rows);

struct RenamedRow {
    int row = -1;         // result-table row
    QByteArray newPath;   // its file's path after the rename
};
// Result-table rows take the new paths of their renamed files: name, type,
// attributes and 8.3 are drawn from the disk again. Called once after a batch
// of renames, it lists each folder once, however many rows it holds.
void renUpdateRows(TableModel &table, const QList<RenamedRow> &rows);
// The same for one row.
void renUpdateRow(TableModel &table, int row, const QByteArray &newPath);

} // namespace vt
