// Key preview and the function-key dispatchers of the main window.
#include "app/mainform.h"

#include "base/services.h"
#include "base/settings.h"
#include "app/helpform.h"
#include "app/logform.h"
#include "search/searchpanel.h"
#include "table/resulttable.h"
#include "table/tablecommands.h"

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

} // namespace

void TFileForm::notYet() { ui().beep(); }

void TFileForm::FormKeyDown(QKeyEvent *e)
{
    const Qt::KeyboardModifiers mods = e->modifiers();
    const bool shift = mods & Qt::ShiftModifier;
    const bool ctrl = mods & Qt::ControlModifier;
    switch (e->key()) {
    case Qt::Key_F1: SetF1(shift, ctrl); return;
    case Qt::Key_F2: SetF2(shift, ctrl); return;
    case Qt::Key_F3: SetF3(shift, ctrl); return;
    case Qt::Key_F4:
        // Alt+F4 belongs to the window manager.
        if (!(mods & Qt::AltModifier))
            SetF4(shift, ctrl);
        return;
    case Qt::Key_F5: SetF5(shift, ctrl); return;
    case Qt::Key_F6: SetF6(shift, ctrl); return;
    case Qt::Key_F7: SetF7(shift, ctrl); return;
    case Qt::Key_F8: SetF8(shift, ctrl); return;
    case Qt::Key_F9: SetF9(shift, ctrl); return;
    case Qt::Key_F11: SetF11(shift, ctrl); return;
    case Qt::Key_F12: SetF12(shift, ctrl); return;
    case Qt::Key_Escape: sbStopClick(); return;
    default: break;
    }
    if (!ownsKey(e) || busy())
        return;
    if (latinKey(e->key()) == Qt::Key_K)
        ListView->ShowHide83(shift);
    else
        notYet();
}

bool TFileForm::ownsKey(const QKeyEvent *e)
{
    const Qt::KeyboardModifiers mods = e->modifiers();
    if (!(mods & Qt::ControlModifier) || (mods & Qt::AltModifier))
        return false;
    switch (latinKey(e->key())) {
    case Qt::Key_1: case Qt::Key_2: case Qt::Key_3:
    case Qt::Key_D: case Qt::Key_E: case Qt::Key_H: case Qt::Key_I: case Qt::Key_J:
    case Qt::Key_K: case Qt::Key_M: case Qt::Key_N: case Qt::Key_O: case Qt::Key_P:
    case Qt::Key_Q: case Qt::Key_S: case Qt::Key_W:
        return true;
    default:
        return false;
    }
}

void TFileForm::SetF1(bool shift, bool ctrl)
{
    if (busy())
        return;
    if (shift) {
        ShowLog(0);
        return;
    }
    if (ctrl || !m_help) {
        notYet();
        return;
    }
    const bool before = settings().clv;
    m_help->exec();
    if (settings().clv != before)
        Savini();
}

void TFileForm::SetF2(bool shift, bool ctrl)
{
    if (busy())
        return;
    if (shift || ctrl) {
        tableCommands->selectFirstOrLast(!shift);
        return;
    }
    setSoundOn(!soundOn());
    showSoundGlyph();
}

void TFileForm::SetF3(bool shift, bool ctrl)
{
    if (busy())
        return;
    if (shift || ctrl)
        tableCommands->findNext(!shift);
    else
        tableCommands->findWindow();
}

void TFileForm::SetF4(bool shift, bool ctrl)
{
    if (shift && !ctrl) {
        tableCommands->sortByMarks();
        return;
    }
    if (busy())
        return;
    if (shift) {
        notYet();
    } else if (ctrl) {
        tableCommands->removeSelectedAsk();
    } else if (tableCommands->marksWindow()) {
        // "Действия" in the marks window goes on to the actions window.
        SetF6(false, false);
    }
}

void TFileForm::SetF5(bool shift, bool ctrl)
{
    if (ctrl && !shift) {
        tableCommands->shuffle();
        return;
    }
    if (busy())
        return;
    if (shift)
        tableCommands->invert();
    else
        tableCommands->focusCurrent();
}

void TFileForm::SetF6(bool, bool)
{
    if (!busy())
        notYet();
}

void TFileForm::SetF7(bool shift, bool ctrl)
{
    if (!busy())
        tableCommands->moveRow(shift, ctrl);
}

void TFileForm::SetF8(bool, bool)
{
    if (!busy())
        notYet();
}

void TFileForm::SetF9(bool, bool)
{
    if (!busy())
        notYet();
}

void TFileForm::SetF12(bool shift, bool ctrl)
{
    if (!shift && !ctrl) {
        StartFind();
        return;
    }
    if (busy())
        return;
    if (shift)
        panTop->presetLast10Minutes();
    else
        panTop->presetMaximum();
}

} // namespace vt
