#pragma once
// A multi-line text field as the list windows use it: no wrapping, both
// scroll bars always shown.
class QPlainTextEdit;
class QWidget;

namespace vt {

QPlainTextEdit *makeMemo(QWidget *parent, bool readOnly);

} // namespace vt
