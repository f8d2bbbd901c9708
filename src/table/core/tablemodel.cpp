#include "table/core/tablemodel.h"

#include <algorithm>

namespace vt {

TableModel::TableModel(QObject *parent) : QAbstractTableModel(parent) {}

int TableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : size();
}

int TableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColCount;
}

QVariant TableModel::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= size())
        return QVariant();
    return m_rows[size_t(index.row())].cells[size_t(index.column())];
}

QString TableModel::caption(int col)
{
    static const char16_t *const names[ColCount] = {
        u"ID", u"Папка", u"Имя", u"Тип", u"Размер", u"Byte",
        u"8.3", u"Изменен", u"Ord", u"Page", u"Атрибуты"};
    if (col < 0 || col >= ColCount)
        return QString();
    return QString::fromUtf16(names[col]);
}

QVariant TableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Horizontal)
        return caption(section);
    return section + 1;
}

Qt::ItemFlags TableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
}

void TableModel::clear()
{
    m_structural = true;
    beginResetModel();
    m_rows.clear();
    m_83.clear();
    m_counters = TableCounters();
    m_selCount = 0;
    endResetModel();
    m_structural = false;
}

void TableModel::countRow(const TableRow &r, int sign)
{
    if (r.isDir()) {
        m_counters.folders += sign;
    } else {
        m_counters.files += sign;
        if (sign > 0)
            m_counters.size.add(r.bytes());
        else
            m_counters.size.sub(r.bytes());
    }
}

void TableModel::countSelected(const TableRow &r, int sign)
{
    if (r.isDir()) {
        m_counters.selFolders += sign;
    } else {
        m_counters.selFiles += sign;
        if (sign > 0)
            m_counters.selSize.add(r.bytes());
        else
            m_counters.selSize.sub(r.bytes());
    }
}

void TableModel::index83(const QString &s, int delta)
{
    if (s.isEmpty())
        return;
    if (delta > 0) {
        m_83[s] += delta; // one look-up for the usual new text
        return;
    }
    auto it = m_83.find(s);
    if (it == m_83.end())
        return;
    *it += delta;
    if (*it <= 0)
        m_83.erase(it);
}

void TableModel::appendRow(TableRow row)
{
    const int n = size();
    beginInsertRows(QModelIndex(), n, n);
    m_rows.push_back(std::move(row));
    const TableRow &r = m_rows.back();
    index83(r.entry.shortForm, 1);
    countRow(r, 1);
    if (r.selected) {
        ++m_selCount;
        countSelected(r, 1);
    }
    endInsertRows();
    if (r.selected) {
        if (m_batch > 0)
            m_batchDirty = true;
        else
            emit rowSelectionChanged(n, true);
    }
}

bool TableModel::has83(const QString &short83) const
{
    return !short83.isEmpty() && m_83.contains(short83);
}

void TableModel::setSelectedImpl(int row, bool on, bool counters, bool notify)
{
    if (row < 0 || row >= size())
        return;
    TableRow &r = m_rows[size_t(row)];
    if (r.selected == on)
        return;
    r.selected = on;
    m_selCount += on ? 1 : -1;
    if (counters)
        countSelected(r, on ? 1 : -1);
    if (!notify)
        return;
    if (m_batch > 0)
        m_batchDirty = true;
    else
        emit rowSelectionChanged(row, on);
}

void TableModel::setSelected(int row, bool on) { setSelectedImpl(row, on, true, true); }

void TableModel::setSelectedByView(int row, bool on)
{
    setSelectedImpl(row, on, !m_suppress, false);
}

QList<int> TableModel::selectedRows() const
{
    QList<int> out;
    out.reserve(m_selCount);
    for (int i = 0, n = size(); i < n; ++i)
        if (m_rows[size_t(i)].selected)
            out.append(i);
    return out;
}

Selection TableModel::selection() const
{
    Selection out;
    out.reserve(m_selCount);
    for (int i = 0, n = size(); i < n; ++i)
        if (m_rows[size_t(i)].selected)
            out.append({i, m_rows[size_t(i)].entry});
    return out;
}

int TableModel::firstSelected() const
{
    if (m_selCount == 0)
        return -1;
    for (int i = 0, n = size(); i < n; ++i)
        if (m_rows[size_t(i)].selected)
            return i;
    return -1;
}

void TableModel::setAllSelected(bool on)
{
    for (TableRow &r : m_rows)
        r.selected = on;
    m_selCount = on ? size() : 0;
    if (on) {
        m_counters.selFiles = m_counters.files;
        m_counters.selFolders = m_counters.folders;
        m_counters.selSize = m_counters.size;
    } else {
        m_counters.selFiles = m_counters.selFolders = 0;
        m_counters.selSize = SizeSum();
    }
    if (m_batch > 0)
        m_batchDirty = true;
    else
        emit selectionReset();
}

void TableModel::invertSelection()
{
    TableCounters &c = m_counters;
    c.selFiles = c.files - c.selFiles;
    c.selFolders = c.folders - c.selFolders;
    c.selSize.kb = c.size.kb - c.selSize.kb;
    c.selSize.rem = c.size.rem - c.selSize.rem;
    for (TableRow &r : m_rows)
        r.selected = !r.selected;
    m_selCount = size() - m_selCount;
    if (m_batch > 0)
        m_batchDirty = true;
    else
        emit selectionReset();
}

void TableModel::beginSelectionBatch() { ++m_batch; }

void TableModel::endSelectionBatch()
{
    if (m_batch > 0 && --m_batch == 0 && m_batchDirty) {
        m_batchDirty = false;
        emit selectionReset();
    }
}

void TableModel::removeRows(const QList<int> &rowsIn)
{
    std::vector<int> rows(rowsIn.begin(), rowsIn.end());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    rows.erase(std::remove_if(rows.begin(), rows.end(),
                              [n = size()](int r) { return r < 0 || r >= n; }),
               rows.end());
    if (rows.empty())
        return;
    for (int r : rows) {
        const TableRow &row = m_rows[size_t(r)];
        index83(row.entry.shortForm, -1);
        countRow(row, -1);
        if (row.selected) {
            --m_selCount;
            countSelected(row, -1);
        }
    }
    m_counters.rowsRemoved = true;

    // Contiguous runs, last first.
    std::vector<std::pair<int, int>> runs;
    for (int r : rows) {
        if (!runs.empty() && runs.back().second + 1 == r)
            runs.back().second = r;
        else
            runs.emplace_back(r, r);
    }
    m_structural = true;
    if (runs.size() <= 32) {
        for (auto it = runs.rbegin(); it != runs.rend(); ++it) {
            beginRemoveRows(QModelIndex(), it->first, it->second);
            m_rows.erase(m_rows.begin() + it->first, m_rows.begin() + it->second + 1);
            endRemoveRows();
        }
    } else {
        // Many scattered rows: one pass and a reset is far cheaper for the view.
        beginResetModel();
        std::vector<TableRow> kept;
        kept.reserve(m_rows.size() - rows.size());
        size_t k = 0;
        for (size_t i = 0; i < m_rows.size(); ++i) {
            if (k < rows.size() && size_t(rows[k]) == i) {
                ++k;
                continue;
            }
            kept.push_back(std::move(m_rows[i]));
        }
        m_rows = std::move(kept);
        endResetModel();
    }
    m_structural = false;
}

void TableModel::moveRow(int from, int to)
{
    const int n = size();
    if (from < 0 || from >= n || to < 0 || to >= n || from == to)
        return;
    m_structural = true;
    beginMoveRows(QModelIndex(), from, from, QModelIndex(), to > from ? to + 1 : to);
    TableRow r = std::move(m_rows[size_t(from)]);
    m_rows.erase(m_rows.begin() + from);
    m_rows.insert(m_rows.begin() + to, std::move(r));
    endMoveRows();
    m_structural = false;
}

void TableModel::setCell(int row, int col, const QString &text)
{
    if (row < 0 || row >= size() || (col != ColID && col != ColFolder))
        return;
    TableRow &r = m_rows[size_t(row)];
    if (r.cells[size_t(col)] == text)
        return;
    r.cells[size_t(col)] = text;
    const QModelIndex i = index(row, col);
    emit dataChanged(i, i, {Qt::DisplayRole});
}

void TableModel::updateEntry(int row, RowEntry entry, const QString &folderCell)
{
    if (row < 0 || row >= size())
        return;
    TableRow &r = m_rows[size_t(row)];
    countRow(r, -1);
    if (r.selected)
        countSelected(r, -1);
    index83(r.entry.shortForm, -1);
    r.entry = std::move(entry);
    r.cells[ColFolder] = folderCell;
    renderCells(r);
    index83(r.entry.shortForm, 1);
    countRow(r, 1);
    if (r.selected)
        countSelected(r, 1);
    rowChanged(row);
}

void TableModel::setOrdPage(int row, qint64 ord, qint64 page)
{
    if (row < 0 || row >= size())
        return;
    TableRow &r = m_rows[size_t(row)];
    r.entry.ord = ord;
    r.entry.page = page;
    r.cells[ColOrd] = ordText(ord);
    r.cells[ColPage] = ordText(page);
    emit dataChanged(index(row, ColOrd), index(row, ColPage), {Qt::DisplayRole});
}

void TableModel::rowChanged(int row)
{
    emit dataChanged(index(row, 0), index(row, ColCount - 1), {Qt::DisplayRole});
}

void TableModel::reorder(const std::vector<int> &order)
{
    if (order.size() != m_rows.size())
        return;
    m_structural = true;
    beginResetModel();
    std::vector<TableRow> out;
    out.reserve(m_rows.size());
    for (int i : order)
        out.push_back(std::move(m_rows[size_t(i)]));
    m_rows = std::move(out);
    endResetModel();
    m_structural = false;
}

TableCounters TableModel::computeCounters() const
{
    TableCounters c;
    for (const TableRow &r : m_rows) {
        const bool dir = r.isDir();
        const qint64 b = dir ? 0 : r.bytes();
        if (dir) {
            ++c.folders;
            if (r.selected)
                ++c.selFolders;
        } else {
            ++c.files;
            c.size.add(b);
            if (r.selected) {
                ++c.selFiles;
                c.selSize.add(b);
            }
        }
    }
    c.rowsRemoved = m_counters.rowsRemoved;
    return c;
}

} // namespace vt
