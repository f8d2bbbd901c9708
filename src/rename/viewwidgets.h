#pragma once
// Pieces the three text views share: their memos and the window drag.
#include <QPalette>
#include <QPlainTextEdit>
#include <QWidget>
#include <QWindow>

namespace vt {

// A memo that does not wrap; the read-only ones are light grey.
inline QPlainTextEdit *viewMemo(QWidget *parent, bool readOnly)
{
    auto *m = new QPlainTextEdit(parent);
    m->setLineWrapMode(QPlainTextEdit::NoWrap);
    m->setReadOnly(readOnly);
    m->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    if (readOnly) {
        QPalette p = m->palette();
        p.setColor(QPalette::Base, QColor(236, 236, 236));
        m->setPalette(p);
    }
    return m;
}

// Moves the window with the mouse, as its caption would.
inline void dragWindow(QWidget *w)
{
    if (QWindow *h = w->window()->windowHandle())
        h->startSystemMove();
}

} // namespace vt
