#pragma once
// A path typed or chosen by the user, checked against the disk: an absolute
// path of an existing file or folder, each name spelled as the disk stores it.
#include <QString>

namespace vt {

struct DiskPath {
    enum Status { TooShort, NotFound, Found };
    Status status = NotFound;
    QString path;   // the disk's spelling (Found), else the trimmed input
    bool isDir = false;
};

// Trims the input; 3 characters or fewer are TooShort. The path must be
// absolute, hold none of * ? " < > | and, without its trailing separators,
// be at least 4 characters long. Each name is looked up exactly and, when
// that fails, by a unique match that ignores letter case, so the result
// carries the disk's letter case.
DiskPath diskPath(const QString &typed);

} // namespace vt
