#pragma once
// The journal of batches that changed names or places (Options/journal):
// per batch its kind, time and, per item, the exact native paths before and
// after, so that the last batch can be taken back. Text of one line per
// record, paths percent-encoded, so every name survives whatever its bytes.
// The newest 20 batches are kept; a damaged file is ignored as a whole.
#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

namespace vt {

enum class BatchKind : int {
    RenameRule = 1,   // rule rename of files
    RenameFolders,    // rule rename of folders
    RenameList,       // list-to-list rename
    RenameQuick,      // the quick renames
    RenameOne,        // one file, by its typed name
    Move,
    Trash,
    Copy,             // kept as a note only: it cannot be undone
    Delete,           // deleted for good: cannot be undone
    Undo,
};
constexpr int kBatchKindLast = int(BatchKind::Undo);

struct JournalItem {
    enum Type : char {
        Moved = 'm',    // the entry went from `from` to `to`
        Trashed = 't',  // `from` went to the trash as `to`, its info file is `info`
        Restored = 'r', // `to` came back from the trash (`from` was its place there)
    };
    Type type = Moved;
    QByteArray from, to, info;
    bool operator==(const JournalItem &) const = default;
};

struct JournalBatch {
    BatchKind kind = BatchKind::RenameRule;
    BatchKind undoOf = BatchKind::RenameRule; // for Undo: the kind it took back
    QDateTime time;
    int count = 0; // entries the batch touched; equals items.size() where it keeps items
    QList<JournalItem> items;
    bool undoable() const { return kind != BatchKind::Copy && kind != BatchKind::Delete; }
    bool operator==(const JournalBatch &) const = default;
};

constexpr int kJournalBatches = 20;
// A batch holds at most the rows of a table, twice over for safety.
constexpr int kJournalMaxItems = 20000;

// A path the journal can hold: absolute on this system ("/..." here, "C:/..."
// or "//server/share/..." on Windows), no NUL, bounded.
bool journalCanHold(const QByteArray &path);

QByteArray encodeJournal(const QList<JournalBatch> &batches);
// False for anything the encoder would not have written (the list is then
// empty). Paths are absolute; the info file of a trashed entry may be unknown.
bool decodeJournal(const QByteArray &data, QList<JournalBatch> *batches);

// Options/journal
QString journalPath();
// The journal as stored; a damaged or unreadable one reads as empty and gets
// a line in the current log.
QList<JournalBatch> loadJournal();
// Keeps the newest 20 batches (fewer when they would pass the store bound)
// and writes the file whole. False when it could not be written.
bool saveJournal(QList<JournalBatch> batches);

} // namespace vt
