#pragma once
// A typed line made into a folder or file name: forbidden characters
// dropped, no leading dots or spaces, no double spaces, at most 80 characters.
#include <QString>

namespace vt {

constexpr int kCleanNameMax = 80;

// Empty when nothing usable is left.
QString CleanName(const QString &s);

} // namespace vt
