#include "widgets/keystate.h"

#include <QGuiApplication>

namespace vt {

namespace {
std::optional<Qt::KeyboardModifiers> g_pinned;
} // namespace

Qt::KeyboardModifiers keyState() { return g_pinned ? *g_pinned : QGuiApplication::queryKeyboardModifiers(); }
bool shiftHeld() { return keyState() & Qt::ShiftModifier; }
bool ctrlHeld() { return keyState() & Qt::ControlModifier; }
void setKeyStateForTest(std::optional<Qt::KeyboardModifiers> mods) { g_pinned = mods; }

} // namespace vt
