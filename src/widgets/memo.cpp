#include "widgets/memo.h"

#include <QPlainTextEdit>

namespace vt {

QPlainTextEdit *makeMemo(QWidget *parent, bool readOnly)
{
    auto *m = new QPlainTextEdit(parent);
    m->setLineWrapMode(QPlainTextEdit::NoWrap);
    m->setReadOnly(readOnly);
    m->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    return m;
}

} // namespace vt
