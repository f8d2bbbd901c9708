#pragma once
// The rename preview: the candidate rows of the result table, re-ordered by
// sorting and dragging, and the current rule run over the selected ones as a
// test or for real. The run itself is renBatch, shared with `--rename`.
#include "rename/core/renbatch.h"

#include <QDialog>
#include <QTreeWidget>
#include <functional>

class QLabel;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace vt {

class ListController;
class OperationContext;
class TRenameForm;
class TRenSpisFrm;
class TableModel;

// The preview list: a drop moves the first selected row in front of the
// target (or to the end), nothing else.
class RenPrevList : public QTreeWidget {
    Q_OBJECT
public:
    using QTreeWidget::QTreeWidget;
    std::function<void(int from, int to)> moveRow;

protected:
    void dropEvent(QDropEvent *event) override;
};

class TRenPrevForm : public QDialog {
    Q_OBJECT
public:
    // dirs: folder flavour (sets the folder-rename flag before the editor exists).
    // ops: busy while a batch runs.
    TRenPrevForm(TableModel &table, OperationContext &ops, ListController *lists, bool dirs,
                 QWidget *parent = nullptr);
    ~TRenPrevForm() override;

    // Fills the preview from result-table rows (0-based, table order); the
    // number of rows taken. Sets the caption when any was taken.
    int fill(const QList<int> &tableRows);
    bool folders() const { return m_dirs; }

    void Renamer(bool test);
    void sortRen(int col, bool descending);
    // Moves row `from` in front of row `to` (to == count: to the end).
    void moveRow(int from, int to);
    // "Задать правило" / "Список/список"
    void sbRulesClick();
    void sbSprClick();
    void sbProsmRenClick(bool shift);
    void openRow(QTreeWidgetItem *item);
    // The properties window of a row's path, only to look at; unset: nothing opens.
    std::function<void(const QString &path, bool folder)> openProperties;
    // The lines the view button lists: old (false) or new names of the selected rows.
    QStringList viewLines(bool newNames) const;
    TRenameForm *renameForm() const { return m_edit; }
    // The list-to-list window, made on first use (null before).
    TRenSpisFrm *spisForm() const { return m_spis; }
    static QString ruleHelpText();
    static QString listHelpText();

    RenPrevList *lvRen;
    QRadioButton *rbRenRules, *rbRenSpis;
    QPushButton *sbRules, *sbTest, *sbRename, *sbSpr;
    QToolButton *sbSelall, *sbClearSel, *sbProsmRen;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void build();
    void modeChanged();
    void showRow(QTreeWidgetItem *it, const RenRow &r);
    RenRow &rowOf(QTreeWidgetItem *it);
    const RenRow &rowOf(QTreeWidgetItem *it) const;
    bool busy() const;

    TableModel &m_table;
    OperationContext &m_ops;
    ListController *m_lists;
    bool m_dirs;
    TRenameForm *m_edit = nullptr;
    TRenSpisFrm *m_spis = nullptr;
    QList<RenRow> m_rows; // item data points into it
    QPoint m_dragFrom;
};

} // namespace vt
