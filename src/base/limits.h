#pragma once
// The bounds of a search and of the table, in one place.
#include <QtGlobal>

namespace vt {

constexpr int kRowLimitMax = 9999;          // rows of the table, the search limit
constexpr int kDepthMax = 200;              // folder levels below the start folder
constexpr qint64 kSizeKbMax = 1073741824;   // size bounds, whole KB
// A store of Options/ bigger than this is not one the program wrote (the
// biggest, a saved log, is rotated at 300 KB): it is never read.
constexpr qint64 kStoreMaxBytes = qint64(16) << 20;

// A depth outside 0..200 searches the start folder only.
constexpr int clampDepth(int depth) { return depth < 0 || depth > kDepthMax ? 0 : depth; }

} // namespace vt
