// Key preview and the function-key dispatchers of the main window: each key
// is looked up in the command table, which also holds the busy policy.
#include "app/mainform.h"

#include <QHash>
#include <QKeyEvent>

namespace vt {
namespace {

// Ctrl+letter commands follow the key, not the layout: a Russian layout
// delivers the Cyrillic letter of the same key.
int latinKey(int key)
{
    static const QHash<int, int> cyr = {
        {0x0412, Qt::Key_D}, {0x0423, Qt::Key_E}, {0x0420, Qt::Key_H}, {0x0428, Qt::Key_I},
        {0x041E, Qt::Key_J}, {0x041B, Qt::Key_K}, {0x042C, Qt::Key_M}, {0x0422, Qt::Key_N},
        {0x0429, Qt::Key_O}, {0x0417, Qt::Key_P}, {0x0419, Qt::Key_Q}, {0x042B, Qt::Key_S},
        {0x0426, Qt::Key_W}};
    return cyr.value(key, key);
}

bool isFunctionKey(int key) { return key >= Qt::Key_F1 && key <= Qt::Key_F12; }

} // namespace

void TFileForm::FormKeyDown(QKeyEvent *e)
{
    const Qt::KeyboardModifiers mods = e->modifiers();
    const bool shift = mods & Qt::ShiftModifier;
    const bool ctrl = mods & Qt::ControlModifier;
    const int key = e->key();
    // Alt+F4 belongs to the window manager.
    if (key == Qt::Key_F4 && (mods & Qt::AltModifier))
        return;
    if (isFunctionKey(key) || key == Qt::Key_Escape) {
        m_commands.runKey(key, shift, ctrl);
        return;
    }
    if (ownsKey(e))
        m_commands.runKey(latinKey(key), shift, ctrl);
}

bool TFileForm::ownsKey(const QKeyEvent *e) const
{
    const Qt::KeyboardModifiers mods = e->modifiers();
    if (!(mods & Qt::ControlModifier) || (mods & Qt::AltModifier))
        return false;
    return m_commands.ownsCtrlKey(latinKey(e->key()));
}

void TFileForm::SetF1(bool shift, bool ctrl) { m_commands.runKey(Qt::Key_F1, shift, ctrl); }
void TFileForm::SetF2(bool shift, bool ctrl) { m_commands.runKey(Qt::Key_F2, shift, ctrl); }
void TFileForm::SetF3(bool shift, bool ctrl) { m_commands.runKey(Qt::Key_F3, shift, ctrl); }
void TFileForm::SetF4(bool shift, bool ctrl) { m_commands.runKey(Qt::Key_F4, shift, ctrl); }
void TFileForm::SetF5(bool shift, bool ctrl) { m_commands.runKey(Qt::Key_F5, shift, ctrl); }
void TFileForm::SetF6(bool shift, bool ctrl) { m_commands.runKey(Qt::Key_F6, shift, ctrl); }
void TFileForm::SetF7(bool shift, bool ctrl) { m_commands.runKey(Qt::Key_F7, shift, ctrl); }
void TFileForm::SetF8(bool shift, bool ctrl) { m_commands.runKey(Qt::Key_F8, shift, ctrl); }
void TFileForm::SetF9(bool shift, bool ctrl) { m_commands.runKey(Qt::Key_F9, shift, ctrl); }
void TFileForm::SetF11(bool shift, bool ctrl) { m_commands.runKey(Qt::Key_F11, shift, ctrl); }
void TFileForm::SetF12(bool shift, bool ctrl) { m_commands.runKey(Qt::Key_F12, shift, ctrl); }

} // namespace vt
