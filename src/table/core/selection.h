#pragma once
// Selection ("marks") of the result table without any window: select all or
// none, by kind, invert, recount, remove the selected rows, text match, find
// next and mark all matches, and the shared find state.
#include "table/core/counters.h"
#include "table/core/tablerow.h"

#include <QString>
#include <QStringList>

namespace vt {

class TableModel;

// Longest search string.
constexpr int FindTextMax = 40;

// Shared by the find window, the marks window and F3 for the whole run.
struct FindState {
    QStringList history;   // newest first, each entry at most 40 characters
    int column = ColName;  // one of the six searchable table columns
    bool busy = false;     // a find is running
};
FindState &findState();

// The six searchable columns in the order of the radio group and the combo
// box: Папка, Имя, Тип, Размер, Изменен, Атрибуты.
constexpr int SearchColumnCount = 6;
int searchColumnAt(int pos);          // position -> table column (Папка when out of range)
int searchPositionOf(int column);     // table column -> position, -1 when not searchable
QStringList searchColumnCaptions();

// Select all (counters := totals, sound 2), clear (sound 1) or clear silently.
enum class SelectAll { Clear = 0, Select = 1, ClearQuietly = 3 };
void selTab(TableModel &m, SelectAll how);
// Select or clear only folders or only files; neither kind flag is selTab
// (mode 1 or 0). Sound 3 for the kind walk.
void selectByKind(TableModel &m, bool select, bool folders, bool files);
// Flips every row; each selected counter becomes total minus selected; sound 2.
void invertSelection(TableModel &m);
// Recomputes the counters from the rows. Explicit: says "Не найдено ошибок
// подсчета" and keeps everything when nothing differs, else stores the new
// values and says "Ошибки исправлены!". Returns true when a value differed.
// fresh: counters already computed from the rows (computed here when null).
bool recount(TableModel &m, bool explicitFlag, const TableCounters *fresh = nullptr);
// Removes the selected rows (only from the table), recounts silently, sound 2.
// Returns the number removed.
int removeSelectedRows(TableModel &m);

// The cell of the search column, upper-cased, contains the (upper-cased) needle.
bool rowMatches(const TableRow &row, int column, const QString &upperNeedle);

// The search-string intake of a combo box: items are the combo's entries
// (updated in place), text its edit text. Cuts the text to 40 characters,
// moves it to the top without a case-insensitive duplicate, copies the items
// into the shared history and returns the text upper-cased. An empty text
// beeps and returns an empty string.
QString getStrFind(QStringList &items, const QString &text);

// One pass of find next from start (exclusive), -1 when nothing matches.
int findNextPass(const TableModel &m, int start, bool backward, int column,
                 const QString &upperNeedle);
// The wrap-around question after a pass without a match.
QString findWrapQuestion(bool backward, int column);
// Find next with the wrap-around question; the found row or -1. Does nothing
// (returns -1) while another find runs.
int findNext(const TableModel &m, int start, bool backward, int column, const QString &upperNeedle);

// Mark all matches: the refusal text of the marks window ("" when there is
// something to do) and the walk itself with its result text.
QString markAllRefusal(const TableModel &m, bool select);
struct MarkAllResult {
    int matches = 0;
    int changes = 0;
    bool ran = false;
    QString text;
};
MarkAllResult markAll(TableModel &m, bool select, int column, const QString &upperNeedle,
                      bool busy);

} // namespace vt
