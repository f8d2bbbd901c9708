#pragma once
// "Информация, о программе": the current log of the run, the last action,
// the saved logs, the help page, the send-to entry and "Вопрос при закрытии".
// Created at start and kept for the whole run.
#include <QDialog>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace vt {

class THelpForm : public QDialog {
    Q_OBJECT
public:
    explicit THelpForm(QWidget *parent = nullptr);

    QPlainTextEdit *memLog;
    QLabel *labLastAction;
    QPushButton *butLogs;
    QPushButton *butHelp;
    QPushButton *butSendTo;
    QToolButton *sbTextTop;
    QToolButton *sbTextEnd;
    QCheckBox *cbCLV;
    QPushButton *butOk;

    void lastActionClick();
    void butLogsClick();
    void butHelpClick();
    void butSendToClick();

private:
    void setSummary(const QString &summary);
};

// Scroll buttons of a memo: scroll only (sound 3); with Shift the caret goes
// there and the memo gets the focus (sound 2 at the start, 1 at the end).
void scrollMemo(QPlainTextEdit *memo, bool toEnd, bool withShift);
// Opens a file or folder with its program: sound 3, or "Ошибка открытия".
void openOrTell(const QString &path);
// "\r\n" lines as a memo shows them.
QString memoText(const QString &crlfText);

} // namespace vt
