#pragma once
// The find window (`TColFindForm`, "Поиск в найденном"): a search column, a
// search string with the shared history, and find backward / forward in the
// result table.
#include <QDialog>

class QComboBox;
class QPushButton;
class QRadioButton;
class QGroupBox;

namespace vt {

class TableCommands;

class TColFindForm : public QDialog {
    Q_OBJECT
public:
    explicit TColFindForm(TableCommands *commands, QWidget *parent = nullptr);

    QComboBox *cmbFind() const { return m_cmbFind; }
    QRadioButton *columnButton(int pos) const;
    QPushButton *backButton() const { return m_back; }
    QPushButton *forwardButton() const { return m_forward; }

    // "Назад <<" (F8) and ">> Вперед" (F9).
    void findBackward() { find(true); }
    void findForward() { find(false); }

    void done(int result) override;

private:
    void find(bool backward);
    // Takes the combo text through the history rule; the upper-cased string.
    QString takeString();

    TableCommands *m_commands;
    QGroupBox *m_group;
    QRadioButton *m_radio[6] = {};
    QComboBox *m_cmbFind;
    QPushButton *m_back;
    QPushButton *m_forward;
};

} // namespace vt
