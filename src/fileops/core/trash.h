#pragma once
// The freedesktop.org trash for one file given by its native path.
#include <QByteArray>

namespace vt {

// Moves the file to the trash. False when the trash cannot take it: the file
// then stays where it was (it is never removed instead).
bool moveToTrash(const QByteArray &path);

} // namespace vt
