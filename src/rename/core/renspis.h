#pragma once
// Renaming list to list: line i of the editor is the new name (without
// extension) of the i-th selected preview row. The window keeps only its
// widgets; the lists, the result lines and the run live here.
#include "rename/core/memolines.h"
#include "rename/core/filememo.h"
#include "rename/core/renbatch.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

namespace vt {

class ListController;
class OperationContext;
class TableModel;

constexpr int kRenSpisMaxLines = 1000;

// CleanName on every line; a line that becomes empty stays, and skips its row.
QStringList renSpisFormat(const QStringList &lines);

enum RenSpisDisplay { RenSpisRebuilding = 0, RenSpisOldNames = 1, RenSpisResults = 2 };

struct RenSpisState {
    bool dirs = false;
    FileParts parts;        // folders, names, extensions with their dot
    QList<RenRow> rows;     // the selected preview rows, as the runs left them
    QString editor;         // the new names; kept between openings
    QStringList results;    // one line per selected row after a test or run
    int display = RenSpisOldNames;
    QString summary;        // caption of the result label
    bool summaryShown = false;
    bool fullPath = false;  // "Полный путь"
    bool withExt = false;   // "Расширения"
};

// What a run needs from outside: the result table and the open list follow
// a real rename; the context is busy while it runs.
struct RenSpisEnv {
    TableModel *table = nullptr;
    ListController *lists = nullptr;
    OperationContext *ops = nullptr;
};

// Opening: the three lists from the selected rows, the old names shown by
// name only, the result label hidden. The editor text stays.
void renSpisOpen(RenSpisState &s, const QList<RenRow> &selected);

enum class RenSpisOutcome { Refused, FocusEditor, Formatted, Mismatch, Ran };

// What is done with the new names: cleaned in the editor, a test run, or the renames.
enum class RenSpisAction { Format = 0, Test = 1, Rename = 2 };
RenSpisOutcome runRenSpis(RenSpisState &s, RenSpisAction action, const RenSpisEnv &env);

// The pairing of the formatted names with the rows, as a test or for real;
// the number of rows that went OK. Fills s.results and, for real, opLog.
int renSpisApply(RenSpisState &s, const QStringList &names, bool test, QStringList *opLog);

// "<date-time> Переименование, список (файлов: n)"
QString renSpisLogHeader(bool dirs, int n);

// The lines of the left memo for the display state and the view; false
// (and no lines) when the result lines do not match the rows.
bool renSpisLeftLines(const RenSpisState &s, QStringList *out);

// The message of a click on a list caption.
QString renSpisLineInfo(qsizetype lines, qsizetype selected, qsizetype total);

// The message of the info variant of the scroll synchronisation; caret is
// the 0-based line of the source memo.
QString renSpisSyncInfo(const RenSpisState &s, bool fromLeft, int caret, qsizetype sourceLines,
                        qsizetype targetLines);

} // namespace vt
