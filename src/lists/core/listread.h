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

// Error lines a read report lists at most; the rest are counted.
constexpr int kReportErrorLines = 1000;

// The read-error lines of a report: every error counts, the first
// kReportErrorLines are listed, and finish() ends the report.
class ReadErrors {
public:
    explicit ReadErrors(QStringList &report) : m_report(report) {}
    void add(const QString &line);
    int count() const { return m_count; }
    // "<НЕТ ОШИБОК>" when there was none, else a line counting those not listed, if any.
    void finish();

private:
    QStringList &m_report;
    int m_count = 0;
};

struct ListRead {
    ListKind kind = ListKind::None; // None: not read
    int errors = 0;
    StopFlag stop = StopNone;
};

// Appends the rows of a list to the table. The report gets its three head
// lines, the lines of the records that failed (ReadErrors), and "<НЕТ
// ОШИБОК>" after a read without errors. A VTL list is read record by record
// and never past 9999 records (more is "limit reached"), whatever the
// file's size. ops (may be null): its stop ends the read, and it serves
// events meanwhile.
ListRead readListRows(TableModel &table, const QString &path, QStringList &report,
                      OperationContext *ops);

} // namespace vt
