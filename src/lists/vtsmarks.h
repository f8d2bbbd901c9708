#pragma once
// The 50 x 50 pictures of the six VTS marks, drawn here.
#include <QPixmap>

namespace vt {

constexpr int kVtsMarkPictureSize = 50;
// The picture of a mark; a blank picture for an index outside the marks.
QPixmap vtsMarkPicture(int mark);

} // namespace vt
