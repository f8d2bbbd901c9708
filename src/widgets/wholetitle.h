#pragma once
// Window titles shown whole: a window manager cuts a title that is wider than
// the frame, so every framed window is made at least as wide as its title.
#include <QString>

namespace vt {

// The width a window needs for its title: the title in a bold face of the
// title-bar font, plus the frame's icon and buttons.
int titleWidth(const QString &title);

// From now on every framed window and message box is widened to its title as
// it is shown.
void keepTitlesWhole();

} // namespace vt
