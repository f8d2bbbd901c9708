#include "undo/core/undoitem.h"

#include "journal/core/journalrecorder.h"
#include "platform/copyfile.h"
#include "platform/fileentry.h"
#include "platform/renamefile.h"
#include "platform/trash.h"
#include "rename/core/renapply.h"

namespace vt {

namespace {

bool exists(const QByteArray &p) { return fs::existsNative(p); }

bool isFile(const QByteArray &p)
{
    fs::Entry e;
    return fs::lookupNative(p, &e) && !e.isDir() && !e.link;
}

// from -> to, never over an existing name; a file on another file system is
// copied and then removed there (the move's own way).
ItemOutcome moveBack(const QByteArray &from, const QByteArray &to)
{
    const fs::RenameOutcome r = fs::renameNoReplace(from, to);
    if (r.result == fs::RenameResult::Ok)
        return ItemOutcome::Done;
    if (r.result == fs::RenameResult::Exists)
        return ItemOutcome::Taken;
    if (!isFile(from))
        return ItemOutcome::Failed;
    const fs::CopyOutcome c = fs::moveFile(from, to);
    return c.ok() ? ItemOutcome::Done : c.result == fs::CopyResult::Exists ? ItemOutcome::Taken : ItemOutcome::Failed;
}

void record(const JournalItem &inverse)
{
    if (JournalRecorder *r = JournalRecorder::current()) {
        if (inverse.type == JournalItem::Restored)
            r->restored(inverse.from, inverse.to);
        else if (inverse.type == JournalItem::Trashed)
            r->trashed(inverse.from, inverse.to, inverse.info);
        else
            r->moved(inverse.from, inverse.to);
    }
}

ItemOutcome undoMoved(const JournalItem &it, bool test)
{
    if (!exists(it.to)) {
        if (!exists(it.from))
            return ItemOutcome::Missing;
        if (!test)
            record({JournalItem::Moved, it.to, it.from, {}});
        return ItemOutcome::AlreadyBack;
    }
    // the same file under another spelling (case-folding file systems) is no collision
    if (exists(it.from) && !fs::sameFile(it.from, it.to))
        return ItemOutcome::Taken;
    if (test)
        return ItemOutcome::Done;
    // renameEntry journals what it renames
    switch (renameEntry(it.to, it.from)) {
    case RenameEntryResult::Ok: return ItemOutcome::Done;
    case RenameEntryResult::Exists: return ItemOutcome::Taken;
    case RenameEntryResult::Failed: break;
    }
    const ItemOutcome o = moveBack(it.to, it.from);
    if (o == ItemOutcome::Done)
        record({JournalItem::Moved, it.to, it.from, {}});
    return o;
}

ItemOutcome undoTrashed(const JournalItem &it, bool test)
{
    if (!exists(it.to)) {
        if (!exists(it.from))
            return ItemOutcome::Missing;
        if (!test) {
            // restored before its info file went
            if (!it.info.isEmpty() && exists(it.info))
                fs::removeFileNative(it.info);
            record({JournalItem::Restored, it.to, it.from, {}});
        }
        return ItemOutcome::AlreadyBack;
    }
    if (exists(it.from))
        return ItemOutcome::Taken;
    if (test)
        return ItemOutcome::Done;
    const ItemOutcome o = moveBack(it.to, it.from);
    if (o != ItemOutcome::Done)
        return o;
    if (!it.info.isEmpty())
        fs::removeFileNative(it.info);
    record({JournalItem::Restored, it.to, it.from, {}});
    return o;
}

ItemOutcome undoRestored(const JournalItem &it, bool test)
{
    if (!exists(it.to))
        return ItemOutcome::Missing;
    if (test)
        return ItemOutcome::Done;
    QByteArray where;
    if (!fs::moveToTrash(it.to, &where))
        return ItemOutcome::Failed;
    record({JournalItem::Trashed, it.to, where, fs::trashInfoPath(where)});
    return ItemOutcome::Done;
}

} // namespace

ItemOutcome undoItem(const JournalItem &item, bool test)
{
    switch (item.type) {
    case JournalItem::Moved: return undoMoved(item, test);
    case JournalItem::Trashed: return undoTrashed(item, test);
    case JournalItem::Restored: return undoRestored(item, test);
    }
    return ItemOutcome::Failed;
}

} // namespace vt
