#include "platform/programicon.h"

namespace vt::fs {

// Windows keeps a program's icon in the program file, where the file icon
// provider finds it.
QString programIconName(const QString &) { return QString(); }

} // namespace vt::fs
