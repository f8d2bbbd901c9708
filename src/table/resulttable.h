#pragma once
// The result table of the main window (`ListView`): a read-only grid with
// whole-row multi-selection over a TableModel. The view's selection and the
// model's selected flags and counters are kept in step both ways.
#include "table/core/tablemodel.h"

#include <QFontMetrics>
#include <QTableView>
#include <functional>

namespace vt {

class ResultTable : public QTableView {
    Q_OBJECT
public:
    // Shows model (the caller keeps it alive longer than the view), or a
    // model of its own when none is given.
    explicit ResultTable(QWidget *parent = nullptr, TableModel *model = nullptr);

    TableModel *tableModel() const { return m_model; }

    // Width of a column at start and its maximum (0 = no maximum).
    static int startWidth(int col);
    static int maxWidth(int col);
    // Start width of a shown column: its listed width, or wide enough for its
    // header (headerWidth) and its widest usual text, within its maximum.
    static int fittedStartWidth(int col, const QFontMetrics &fm, int headerWidth);
    // Start width of "Изменен": 112, or wide enough for a date and time, at most 140.
    static int modifiedStartWidth(const QFontMetrics &fm);

    // Column "8.3": hidden (width 0) or shown 200 wide; sound 3. The caller
    // checks the busy state.
    void ShowHide83(bool hide);
    bool is83Shown() const;

    // Focus the table and scroll the first selected row into view; sound:
    // none for 0, 2 for 1, 3 for anything else.
    void setf(int code);

    // The view's current row, -1 when none.
    int currentRow() const;
    // Makes a row current without touching the selection and scrolls to it.
    void setCurrentRow(int row);
    void clearCurrentRow();
    void scrollToRow(int row);
    // 1-based number of the selected row when exactly one is selected, else 0;
    // and the text of `stexNumb` ("-" for 0).
    int currentRowNumber() const;
    QString currentRowText() const;

    // Row dragging inside the table.
    void setRowDragEnabled(bool on);
    bool rowDragEnabled() const { return m_rowDrag; }
    // Moves the dragged row before the row under the mouse (rowUnderMouse -1:
    // below the last row, appended at the end). Returns true when it moved.
    bool dropRowAt(int from, int rowUnderMouse);
    // The row a drop at this viewport point lands on; -1 below the last row.
    int dropRowUnder(const QPoint &pos) const;

    // The busy test of the main window (dragging is refused while busy).
    void setBusyTest(std::function<bool()> isBusy) { m_isBusy = std::move(isBusy); }
    bool isBusy() const { return m_isBusy && m_isBusy(); }

    // Takes every selected flag of the model into the view again.
    void syncSelectionFromModel();
    // Tells listeners that the counters or the current row number changed.
    void notifyCounters() { emit countersChanged(); }

signals:
    void countersChanged();
    void rowDoubleClicked(int row);

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void onViewSelectionChanged(const QItemSelection &selected, const QItemSelection &deselected);
    void onModelRowSelection(int row, bool on);
    void onModelReset();
    bool canDragRow() const;

    TableModel *m_model;
    std::function<bool()> m_isBusy;
    bool m_pushing = false;
    bool m_rowDrag = false;
};

} // namespace vt
