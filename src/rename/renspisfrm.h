#pragma once
// The list-to-list rename window: the old names of the selected preview rows
// on the left, the editor of new names on the right. Made once per preview
// window, on first use; the editor text lives as long as the preview.
#include "rename/core/renspis.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace vt {

class ListController;
class OperationContext;
class TableModel;

class TRenSpisFrm : public QDialog {
    Q_OBJECT
public:
    // ops: busy while a batch runs, the same the preview follows.
    TRenSpisFrm(TableModel &table, OperationContext &ops, ListController *lists, bool dirs,
                QWidget *parent = nullptr);

    // Takes the selected preview rows (top to bottom) and shows the old names;
    // exec() then shows the window.
    void open(const QList<RenRow> &selected);
    RenSpisState &state() { return m_state; }
    // After every test or run: the selected rows as it left them.
    std::function<void(const QList<RenRow> &)> rowsChanged;

    // "Формат" (0), "Тест" (1), "Переименовать" (2).
    void sbFormatClick(int tag);
    // Redraws the left memo for the display state and the view.
    void SetMemOld(bool sound);
    void labResSpisClick();
    // The line info of the left memo (true) or the editor.
    void labInfoClick(bool left);
    // Scroll synchronisation from the left (F8) or the right (F9); info: Shift.
    void synh(bool fromLeft, bool info);

    QPlainTextEdit *memOldName, *memNewName;
    QLabel *labOldName, *labNewName, *labResSpis;
    QRadioButton *rbNameOnly, *rbPlusDir;
    QCheckBox *cbExtsS, *cbSynh;
    QPushButton *sbFormat, *sbTest, *sbRename, *sbClose;
    QToolButton *sbSynhProcLef, *sbSynhInfLef, *sbSynhProcRig, *sbSynhInfRig;

public slots:
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void build();
    void viewChanged();
    void putView();
    bool busy() const;

    TableModel &m_table;
    OperationContext &m_ops;
    ListController *m_lists;
    RenSpisState m_state;
    bool m_putting = false; // controls set by the program, not the user
};

} // namespace vt
