#pragma once
// Plain text path lists: VTX and M3U lists (one path per line, full or
// relative to the list's folder) and TXT reports of the rows. Text lists are
// read as UTF-8 when they say so (a byte-order mark, or valid UTF-8 with
// non-ASCII bytes), else as cp1251; they are written as cp1251 when every
// line fits, else as UTF-8 with a byte-order mark, always whole.
#include "base/textlines.h"
#include "lists/core/listread.h"
#include "lists/core/vtlfile.h"

#include <QDateTime>
#include <QStringList>

namespace vt {

class TableModel;

// Bigger files are not lists anyone wrote; reading them whole would only eat memory.
constexpr qint64 kMaxTextList = qint64(64) << 20;

// A list line as the reader takes it: quotes removed, blanks and control
// characters trimmed at both ends.
QString cleanListLine(const QString &line);

enum class TextListForm { Vtx, Txt };

// Appends the rows of a VTX/M3U list (or, with Txt, of a TXT report: its
// replacement header resolved, whole-row lines skipped). Relative lines are
// taken against the list file's folder; M3U comment lines ("#...") are
// skipped. The report is as for VTL lists. kind is None when the file could
// not be read at all.
ListRead readTextListRows(TableModel &table, const QString &path, QStringList &report,
                          OperationContext *ops, TextListForm form = TextListForm::Vtx);

// The lines that save the table into the VTX/M3U list at listPath; relative:
// rows lying directly in the list's folder are written as their name. ok is
// false (nothing to write) when relative and the list folder has no short form.
struct TextLines {
    bool ok = true;
    QStringList lines;
    int leftOut = 0; // rows whose path has no text form
};
TextLines vtxLines(const TableModel &table, const QString &listPath, bool relative);

// TXT report, names form: quote + path + quote per row, with replacement
// (useReplacement) the start folder is replaced and a header written.
TextLines txtNameLines(const TableModel &table, const QList<int> &rows, const QString &quote,
                       const QString &replacement, bool useReplacement);
// TXT report, whole-row form: four lines per row.
TextLines txtRowLines(const TableModel &table, const QList<int> &rows, const QString &quote);

// "26-12-09_14-05-01.txt" style names of the Texts folder, and the TEMP name.
QString textStampName(const QDateTime &t, const QString &ext);
QString textTempName(const QString &ext);
// The TEMP folder (TEMP, else TMPDIR, else /tmp) with a trailing separator;
// empty with *value set when it is not an existing folder.
QString tempFolder(QString *value = nullptr);

} // namespace vt
