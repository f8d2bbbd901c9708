#pragma once
// The name splitter window: an editor between two result memos; each button
// cuts the editor's lines at a dot or a slash and sends the cut-off parts to
// one side.
#include "rename/core/namesplit.h"

#include <QDialog>

class QCheckBox;
class QPlainTextEdit;
class QToolButton;

namespace vt {

class TNameForm : public QDialog {
    Q_OBJECT
public:
    explicit TNameForm(QWidget *parent = nullptr);

    void setEditorLines(const QStringList &lines);

    // Split mode into the memo target; service: the line "Служ. инф." writes.
    void Razdel(SplitMode mode, const QString &service, QPlainTextEdit *target);
    void clearMemo(QPlainTextEdit *m);
    void copyMemo(QPlainTextEdit *m);
    void sbPasteClick();
    void sbHelpClick(bool shift);

    // The options go back to the run's memory.
    void done(int r) override;

    QPlainTextEdit *memLef, *memEdit, *memRig;
    QToolButton *sbSleshLeft, *sbDot, *sbSleshRig;
    QToolButton *sbClearLeft, *sbClearEdit, *sbClearRig;
    QToolButton *sbPaste, *sbCopyLef, *sbCopyRig, *sbHelp;
    QCheckBox *cbAdd, *cbServInf;

protected:
    void mousePressEvent(QMouseEvent *e) override;

private:
    bool m_busy = false;
};

} // namespace vt
