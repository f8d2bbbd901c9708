#pragma once
// Where an absolute path starts on this system.
#include <QString>

namespace vt::fs {

// The root a path starts from, "/" separated: "/" here; "C:/" or
// "//server/share/" on Windows. Empty for a path that is not absolute.
QString pathRoot(const QString &path);

} // namespace vt::fs
