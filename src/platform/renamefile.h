#pragma once
// Renaming that never replaces: the check for an existing target and the
// rename are one step in the kernel, so a target that appears in between is
// reported, not overwritten. Paths are native bytes.
#include <QByteArray>

namespace vt::fs {

enum class RenameResult { Ok, Exists, Failed };

struct RenameOutcome {
    RenameResult result = RenameResult::Failed;
    int error = 0; // errno of a failure
};

// Renames from -> to unless something exists at `to` (a file, folder or link).
// Where the file system cannot do it in one step, a file is linked under the
// new name and the old name removed; a folder then fails rather than risk a
// replace.
RenameOutcome renameNoReplace(const QByteArray &from, const QByteArray &to);

// Replaces `to` with `from` in one step (the publishing half of an overwrite).
RenameOutcome renameReplace(const QByteArray &from, const QByteArray &to);

// True when both paths name the same file (same device and inode): how a
// case-only rename on a case-folding file system is told from a collision.
bool sameFile(const QByteArray &a, const QByteArray &b);

} // namespace vt::fs
