#pragma once
// The freedesktop.org trash: the home trash for files on its file system,
// else the file system's own (.Trash/UID or .Trash-UID at its top). Paths
// are native bytes, so any name can be trashed.
#include <QByteArray>

namespace vt::fs {

// Moves the file or folder into the trash with its .trashinfo written first.
// False when no trash can take it; the entry then stays where it was and
// nothing is left behind. where (may be null) gets its place in the trash.
bool moveToTrash(const QByteArray &path, QByteArray *where = nullptr);

// The .trashinfo of an entry in the trash's files/ folder.
QByteArray trashInfoPath(const QByteArray &where);

} // namespace vt::fs
