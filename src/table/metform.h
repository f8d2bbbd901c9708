#pragma once
// The marks window (`TMetForm`, "Установить выделение строк"): select or
// clear rows wholesale, by kind or by a text match, invert, sort by marks,
// shuffle, remove the selected rows from the table, and go on to the actions.
#include <QDialog>
#include <functional>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace vt {

class TableCommands;

class TMetForm : public QDialog {
    Q_OBJECT
public:
    explicit TMetForm(TableCommands *commands, QWidget *parent = nullptr);

    // The size report of the selected and all files; the size button stays
    // disabled until one is installed.
    static void setSizeReport(std::function<void()> report);

    bool addMode() const;
    void setAddMode(bool add);
    QString infoText() const;
    // Refreshes the information label and the enabled state of the buttons.
    void refresh();

    // Controls, for tests and the screenshot.
    QLabel *infoLabel() const { return m_info; }
    QGroupBox *modeGroup() const { return m_group; }
    QComboBox *cmbCol() const { return m_cmbCol; }
    QComboBox *cmbFindAll() const { return m_cmbFindAll; }
    QPushButton *button(const QString &name) const;

    // The buttons' actions.
    void selectAll();
    void clearAll();
    void byKind(bool folders);
    void reverse();
    void sortMarks(bool shift);
    void shuffle(bool shift);
    void removeFromTable();
    void findSelected();
    void searchAll();
    void actions();

private:
    QPushButton *addButton(const QString &name, const QString &text);
    void updateHints();

    TableCommands *m_commands;
    QLabel *m_info;
    QRadioButton *m_rbAdd;
    QRadioButton *m_rbRemove;
    QGroupBox *m_group;
    QComboBox *m_cmbCol;
    QComboBox *m_cmbFindAll;
    QList<QPushButton *> m_buttons;
};

} // namespace vt
