#pragma once
// Copying and moving one file without ever leaving half of it behind: the
// data goes to a temporary name in the target folder and is published by a
// rename, either one that refuses an existing name (so "fail if exists" holds
// without a window between a check and the copy) or, for an overwrite, one
// over the old file once the new copy is complete and flushed. Paths are
// native bytes. The temporary is locked while it is written, so a later copy
// can tell one left by a killed program from one in use.
#include "platform/dirhandle.h"

#include <QByteArray>
#include <QList>
#include <functional>

namespace vt::fs {

enum class CopyResult {
    Ok,
    Exists,        // the destination name is taken (nothing was changed)
    SourceMissing, // the source is gone or is not a regular file
    Stopped,       // the stop check asked to end; nothing was published
    Failed,        // any other error; nothing was published
};

struct CopyOutcome {
    CopyResult result = CopyResult::Failed;
    int error = 0; // errno of a failure
    bool ok() const { return result == CopyResult::Ok; }
};

// Asked between chunks of a big file; true ends the copy.
using StopCheck = std::function<bool()>;

struct CopyOptions {
    bool overwrite = false;  // replace an existing destination file
    bool flush = false;      // flush the data before publishing (always done for an overwrite)
    bool followLink = false; // the source was found as a link: its target is copied
    StopCheck stop;
};

// Copies a regular file into `name` of an open folder, keeping its mode bits
// and times as `cp -p` does. A source that is a link is not followed unless
// followLink (SourceMissing, ELOOP), and anything but a regular file is
// SourceMissing too. An existing link of that name is replaced by an
// overwrite, never written through.
CopyOutcome copyFile(const QByteArray &from, const DirHandle &dir, const QByteArray &name,
                     const CopyOptions &opt = {});

// Moves a file into `name` of an open folder: one rename within a file system
// (never over an existing name unless overwrite); across file systems a
// flushed copy, then the source is removed (when it cannot be removed the
// copy is taken back and the move fails).
CopyOutcome moveFile(const QByteArray &from, const DirHandle &dir, const QByteArray &name,
                     const CopyOptions &opt = {});

// The same by destination path: its folder is opened as the path says.
CopyOutcome copyFile(const QByteArray &from, const QByteArray &to, const CopyOptions &opt = {});
CopyOutcome moveFile(const QByteArray &from, const QByteArray &to, const CopyOptions &opt = {});

// Temporaries of this engine in the folder that no copy holds (their lock is
// free) and that have not changed for minAgeSeconds: removed, their names
// appended to `removed`. Answers how many went.
int removeStaleTemps(const DirHandle &dir, QList<QByteArray> *removed = nullptr, int minAgeSeconds = 10);

// How the data is moved: kernel copy offload with a read/write fallback, or
// read/write only (kept for measuring).
enum class CopyMethod { Offload, ReadWrite };
void setCopyMethod(CopyMethod m);
CopyMethod copyMethod();

} // namespace vt::fs
