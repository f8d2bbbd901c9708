#pragma once
// The result table's rows: a plain vector of rows that know their files, with
// a selected flag each, the table counters kept in step with them, the
// suppress flag and the search start folder that "Папка" cells are relative
// to. QtCore only; the view (ResultTable) mirrors the selected flags.
#include "table/core/counters.h"
#include "table/core/tablerow.h"
#include "base/limits.h"

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <vector>

namespace vt {

// One selected row as operations and windows receive it.
struct SelectedRow {
    int row = -1;   // index in the table at the time of the call
    RowEntry entry;
};
// Selected rows in table order.
using Selection = QList<SelectedRow>;

class TableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit TableModel(QObject *parent = nullptr);

    // QAbstractItemModel
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    using QAbstractTableModel::moveRow;
    using QAbstractTableModel::removeRows;

    // Column caption ("ID", "Папка", ... "Атрибуты").
    static QString caption(int col);

    // Removes every row, zeroes the counters and the rows-removed flag.
    void clear();
    int size() const { return int(m_rows.size()); }
    const TableRow &at(int row) const { return m_rows[size_t(row)]; }
    const std::vector<TableRow> &rows() const { return m_rows; }

    // The folder of the last search, with a trailing separator; empty when
    // the table holds full paths. This is its only owner.
    const QString &startFolder() const { return m_startFolder; }
    void setStartFolder(const QString &folder) { m_startFolder = folder; }
    // Native full path of a row, the bytes the platform layer opens.
    const QByteArray &fullPath(int row) const { return m_rows[size_t(row)].entry.path; }

    // Room for this many rows in all, so that a reader that knows its count
    // does not move the rows again and again while it appends.
    void reserve(int rows)
    {
        const int n = qBound(0, rows, kRowLimitMax);
        m_rows.reserve(size_t(n));
        m_83.reserve(n); // nor rehash the 8.3 index
    }
    // Appends a row and counts it into the totals (and into the selected
    // counters when it comes selected).
    void appendRow(TableRow row);
    // True when a row carries this non-empty 8.3 text.
    bool has83(const QString &short83) const;

    TableCounters &counters() { return m_counters; }
    const TableCounters &counters() const { return m_counters; }

    bool suppress() const { return m_suppress; }
    void setSuppress(bool on) { m_suppress = on; }

    // Selected flag of a row; the selected counters follow it.
    bool isSelected(int row) const { return m_rows[size_t(row)].selected; }
    void setSelected(int row, bool on);
    // The same for a change that the view made: while the suppress flag is
    // set the counters are left alone (the running operation sets them).
    void setSelectedByView(int row, bool on);
    int selectedCount() const { return m_selCount; }
    QList<int> selectedRows() const;
    // The selected rows with what they know of their files, in table order.
    Selection selection() const;
    // First selected row, -1 when none.
    int firstSelected() const;
    // Every row selected (counters := totals) or none (selected counters zero).
    void setAllSelected(bool on);
    // Flips every row; each selected counter becomes total minus selected.
    void invertSelection();

    // Selection batch: single-row changes inside it send one selectionReset()
    // at the end instead of one rowSelectionChanged() each.
    void beginSelectionBatch();
    void endSelectionBatch();

    // Removes rows (any order, duplicates ignored), keeps the counters in step
    // and sets the rows-removed flag.
    void removeRows(const QList<int> &rows);
    // Moves one row so that it ends at index to; IDs do not change.
    void moveRow(int from, int to);
    // Sets one of the cells that are text only: ID and "Папка".
    void setCell(int row, int col, const QString &text);
    // A row's file changed (renamed, moved, touched): its cells are drawn
    // again and the counters and the 8.3 index follow.
    void updateEntry(int row, RowEntry entry, const QString &folderCell);
    void setOrdPage(int row, qint64 ord, qint64 page);
    // Reorders the rows: new row i is old row order[i] (a permutation).
    void reorder(const std::vector<int> &order);

    // Counters computed from the rows (rowsRemoved copied from the stored ones).
    TableCounters computeCounters() const;

    // True while rows are being removed or reordered; selection reports of the
    // view during that time are not user changes.
    bool inStructuralChange() const { return m_structural; }

signals:
    // One row's flag changed by program logic (not by the view).
    void rowSelectionChanged(int row, bool on);
    // Many flags changed: the view takes all of them again.
    void selectionReset();

private:
    void countRow(const TableRow &r, int sign);
    void countSelected(const TableRow &r, int sign);
    void index83(const QString &s, int delta);
    void setSelectedImpl(int row, bool on, bool counters, bool notify);

    void rowChanged(int row);

    std::vector<TableRow> m_rows;
    QString m_startFolder;
    QHash<QString, int> m_83;
    TableCounters m_counters;
    int m_selCount = 0;
    bool m_suppress = false;
    bool m_structural = false;
    int m_batch = 0;
    bool m_batchDirty = false;
};

// Sets the suppress flag for a scope and restores the old value at its end.
class SuppressGuard {
public:
    explicit SuppressGuard(TableModel *m) : m_model(m), m_old(m->suppress()) { m->setSuppress(true); }
    ~SuppressGuard() { m_model->setSuppress(m_old); }
    SuppressGuard(const SuppressGuard &) = delete;
    SuppressGuard &operator=(const SuppressGuard &) = delete;

private:
    TableModel *m_model;
    bool m_old;
};

class SelectionBatch {
public:
    explicit SelectionBatch(TableModel *m) : m_model(m) { m->beginSelectionBatch(); }
    ~SelectionBatch() { m_model->endSelectionBatch(); }
    SelectionBatch(const SelectionBatch &) = delete;
    SelectionBatch &operator=(const SelectionBatch &) = delete;

private:
    TableModel *m_model;
};

} // namespace vt
