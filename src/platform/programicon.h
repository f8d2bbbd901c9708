#pragma once
// The desktop's own name for a program's icon: on a freedesktop.org desktop
// the Icon= of the application entry that starts it. Windows takes the icon
// from the program file itself, so there it is always empty.
#include <QString>

namespace vt::fs {

// An icon theme name or an absolute picture file; empty when no application
// entry starts this program.
QString programIconName(const QString &program);

} // namespace vt::fs
