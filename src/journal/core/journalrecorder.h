#pragma once
// The journal entry of the batch under way. A batch makes one recorder for
// its run; the places that change names or places (renameEntry, the move of
// the copy engine, the trash) report each item to the current recorder, so a
// batch is journaled the same way from a window and from the command line.
// What is recorded is written at most once a second while the batch runs and
// at its end, so a batch killed midway still leaves its done items behind.
#include "journal/core/journal.h"

#include <QElapsedTimer>

namespace vt {

class JournalRecorder {
public:
    // Becomes the current recorder; inside another batch it only passes its
    // items on to that one.
    explicit JournalRecorder(BatchKind kind, BatchKind undoOf = BatchKind::RenameRule);
    // Writes what it holds.
    ~JournalRecorder();
    JournalRecorder(const JournalRecorder &) = delete;
    JournalRecorder &operator=(const JournalRecorder &) = delete;

    void moved(const QByteArray &from, const QByteArray &to);
    void trashed(const QByteArray &from, const QByteArray &where, const QByteArray &info);
    void restored(const QByteArray &where, const QByteArray &to);
    // An entry of a batch that keeps no items (copy, delete for good).
    void counted();

    // The journal as it stood before this batch, which the undo edits (the
    // batch it takes back); this batch's own entry is not in it.
    QList<JournalBatch> &editOlder()
    {
        m_dirty = true;
        return m_older;
    }
    const JournalBatch &batch() const { return m_batch; }
    // Writes now.
    void flush();
    // Only flush() writes (the undo writes when its source batch is up to date).
    void holdWrites() { m_held = true; }
    // The entry goes before batch `index` of older() (-1: last), so that a
    // batch being undone stays the newest until it is done.
    void placeAt(int index) { m_placeAt = index; }

    static JournalRecorder *current();

private:
    void add(const JournalItem &item);
    void maybeFlush();

    JournalRecorder *m_outer = nullptr;
    QList<JournalBatch> m_older;
    JournalBatch m_batch;
    QElapsedTimer m_sinceWrite;
    bool m_dirty = false;
    bool m_held = false;
    int m_placeAt = -1;
};

// Records into the current recorder, if any.
void journalMoved(const QByteArray &from, const QByteArray &to);
void journalTrashed(const QByteArray &from, const QByteArray &where);
void journalCounted();

} // namespace vt
