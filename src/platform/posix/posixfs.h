#pragma once
// What the POSIX half of the platform layer shares between its files.
#include "platform/fileentry.h"
#include "platform/renamefile.h"

#include <QByteArray>

#include <fcntl.h>

namespace vt::fs::posix {

// A folder descriptor that only names the folder: enough for the *at calls,
// and it opens a folder the user may write to but not list.
#ifdef O_PATH
constexpr int kDirFlags = O_PATH | O_DIRECTORY | O_CLOEXEC;
#else
constexpr int kDirFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;
#endif

// The entry of a name relative to a folder descriptor (AT_FDCWD: a path): a
// link shows its target's data when the target exists, else its own as a
// file; Entry::link tells it was a link. The name is not filled.
bool statAt(int dirfd, const char *name, Entry &out, Stamp stamp = Stamp::Fill);

// A rename that never replaces, between two folder descriptors.
RenameOutcome renameNoReplaceAt(int fromDir, const char *from, int toDir, const char *to);

// Writes data under name in the folder: a new temporary beside it, flushed,
// renamed over the name (a link there is replaced, not followed; a regular
// file keeps its permission bits; anything else fails).
bool replaceFileAt(int dirfd, const QByteArray &name, const QByteArray &data);

} // namespace vt::fs::posix
