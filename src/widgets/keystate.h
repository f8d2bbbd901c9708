#pragma once
// The keys held at this moment, for buttons whose Shift or Ctrl click picks
// a variant. One reading for every window, so that a test can pin it.
#include <Qt>
#include <optional>

namespace vt {

Qt::KeyboardModifiers keyState();
bool shiftHeld();
bool ctrlHeld();
// Pins the state that keyState() reports (nullopt: the live keyboard again).
void setKeyStateForTest(std::optional<Qt::KeyboardModifiers> mods);

} // namespace vt
