#pragma once
// Taking back the newest batch of the journal that can be: renames and moves
// go back with the rename that never replaces (across file systems a move
// copies back), trashed entries come back from the trash with their info
// file removed, newest item first. A name taken again or an entry gone is a
// failed line and the rest go on. The undo is a batch of its own: progress,
// log block, saved log, table rows, and a journal entry, so it can be undone.
// While it runs the journal keeps what is still to be undone in the batch
// being taken back, so an undo stopped or killed midway can be run again.
#include "journal/core/journal.h"

#include <QString>
#include <QStringList>

namespace vt {

class ListController;
class OperationContext;
class TableModel;

// "Переименование по правилу" ...
QString batchKindText(BatchKind kind);
// "Перемещение, 09.12.2026 20:01:30 (файлов: 3)"
QString batchTitle(const JournalBatch &b);
// What taking the item back does, as a line: "/new/a.txt >> /old/a.txt".
QString undoItemText(const JournalItem &item);
// Index of the newest batch that can be undone, -1 when none.
int newestUndoable(const QList<JournalBatch> &batches);
// The question before the undo of batch `pick` (the first lines of its items,
// newest first); when newer batches cannot be undone it says so first.
QString undoQuestion(const QList<JournalBatch> &batches, int pick);

struct UndoResult {
    bool ran = false;
    int done = 0;
    int total = 0;
    QStringList lines; // one per item, in the order taken back
};

class Undoer {
public:
    explicit Undoer(OperationContext &ops);
    // Rows of these paths follow their files; may be null.
    void setTable(TableModel *table) { m_table = table; }
    void setLists(ListController *lists) { m_lists = lists; }

    // The main window's command: tells when there is nothing to undo, asks,
    // then takes the batch back.
    UndoResult undoLast();
    // Without a question. A test changes nothing and says per item what the
    // undo would do.
    UndoResult run(bool test);

private:
    UndoResult reverse(const QList<JournalBatch> &journal, int pick, bool test);

    OperationContext &m_ops;
    TableModel *m_table = nullptr;
    ListController *m_lists = nullptr;
};

} // namespace vt
