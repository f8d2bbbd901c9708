#pragma once
// The column view: check boxes for the result-table columns, a sample line
// for the focused row, and "Просмотр", which lists the line of every
// selected row in the log viewer.
#include "rename/core/colview.h"

#include <QCheckBox>
#include <QDialog>
#include <array>
#include <functional>

class QLabel;
class QLineEdit;
class QToolButton;

namespace vt {

class TableModel;

// A three-state box that goes unchecked -> checked -> grayed.
class TriBox : public QCheckBox {
    Q_OBJECT
public:
    using QCheckBox::QCheckBox;

protected:
    void nextCheckState() override;
};

class TColViewForm : public QDialog {
    Q_OBJECT
public:
    // focusedRow: the row of the sample line.
    TColViewForm(const TableModel &table, int focusedRow, QWidget *parent = nullptr);

    TriBox *box(ColBox b) const { return m_boxes[size_t(b)]; }
    const ColViewState &state() const { return m_state; }
    void boxClicked(ColBox b);
    void cbDirPhClick();
    void sbcbrosClick();
    void sbOkClick();

    QLabel *labInf;
    QLineEdit *eInf;
    QCheckBox *cbDirPh;
    QToolButton *sbcbros, *sbOk, *sbClose;

private:
    void showState();

    const TableModel &m_table;
    int m_row;
    ColViewState m_state;
    std::array<TriBox *, BoxCount> m_boxes{};
};

// Ctrl+I: the column view of the selected rows (1..5000) with a focused row.
void miProsmColsClick(const TableModel &table, int focusedRow, QWidget *parent);

} // namespace vt
