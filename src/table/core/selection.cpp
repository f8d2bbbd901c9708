#include "table/core/selection.h"

#include "base/runstate.h"
#include "base/services.h"
#include "base/textutil.h"
#include "table/core/tablemodel.h"

namespace vt {

FindState &findState()
{
    return runState().get<FindState>();
}

int searchColumnAt(int pos)
{
    static const int cols[SearchColumnCount] = {ColFolder, ColName, ColType, ColSize, ColModified, ColAttrs};
    return pos >= 0 && pos < SearchColumnCount ? cols[pos] : int(ColFolder);
}

int searchPositionOf(int column)
{
    for (int i = 0; i < SearchColumnCount; ++i)
        if (searchColumnAt(i) == column)
            return i;
    return -1;
}

QStringList searchColumnCaptions()
{
    QStringList out;
    for (int i = 0; i < SearchColumnCount; ++i)
        out << TableModel::caption(searchColumnAt(i));
    return out;
}

void selTab(TableModel &m, SelectAll how)
{
    SuppressGuard guard(&m);
    m.setAllSelected(how == SelectAll::Select);
    if (how == SelectAll::Select)
        zv(2);
    else if (how == SelectAll::Clear)
        zv(1);
}

void selectByKind(TableModel &m, bool select, bool folders, bool files)
{
    if (!folders && !files) {
        selTab(m, select ? SelectAll::Select : SelectAll::Clear);
        return;
    }
    {
        SuppressGuard guard(&m);
        SelectionBatch batch(&m);
        for (int i = 0, n = m.size(); i < n; ++i) {
            const TableRow &r = m.at(i);
            if (r.isDir() == folders && r.selected != select)
                m.setSelected(i, select);
        }
    }
    zv(3);
}

void invertSelection(TableModel &m)
{
    {
        SuppressGuard guard(&m);
        m.invertSelection();
    }
    zv(2);
}

bool recount(TableModel &m, bool explicitFlag, const TableCounters *precomputed)
{
    const TableCounters fresh = precomputed ? *precomputed : m.computeCounters();
    const bool differs = !fresh.sameCounts(m.counters());
    if (!differs) {
        if (explicitFlag)
            ui().inf(QStringLiteral("Не найдено ошибок подсчета"));
        return false;
    }
    const bool removed = m.counters().rowsRemoved;
    m.counters() = fresh;
    m.counters().rowsRemoved = removed;
    if (explicitFlag)
        ui().inf(QStringLiteral("Ошибки исправлены!"));
    return true;
}

int removeSelectedRows(TableModel &m)
{
    const QList<int> rows = m.selectedRows();
    if (rows.isEmpty())
        return 0;
    {
        SuppressGuard guard(&m);
        m.removeRows(rows); // also raises the rows-removed flag
    }
    recount(m, false);
    zv(2);
    return int(rows.size());
}

bool rowMatches(const TableRow &row, int column, const QString &upperNeedle)
{
    if (column < 0 || column >= ColCount)
        return false;
    return upper(row.cells[size_t(column)]).contains(upperNeedle);
}

QString getStrFind(QStringList &items, const QString &textIn)
{
    const QString text = textIn.left(FindTextMax);
    if (text.isEmpty()) {
        ui().beep();
        return QString();
    }
    if (items.isEmpty() || items.first().compare(text, Qt::CaseInsensitive) != 0) {
        for (int i = 1; i < items.size(); ++i) {
            if (items.at(i).compare(text, Qt::CaseInsensitive) == 0) {
                items.removeAt(i);
                break;
            }
        }
        items.prepend(text);
    }
    findState().history = items;
    return upper(text);
}

int findNextPass(const TableModel &m, int start, bool backward, int column,
                 const QString &upperNeedle)
{
    if (upperNeedle.isEmpty())
        return -1;
    const int n = m.size();
    if (backward) {
        for (int i = qMin(start, n) - 1; i >= 0; --i)
            if (rowMatches(m.at(i), column, upperNeedle))
                return i;
    } else {
        for (int i = qMax(start, -1) + 1; i < n; ++i)
            if (rowMatches(m.at(i), column, upperNeedle))
                return i;
    }
    return -1;
}

QString findWrapQuestion(bool backward, int column)
{
    const QStringList &h = findState().history;
    return QStringLiteral("Поиск в таблице завершен, строка:\n") + (h.isEmpty() ? QString() : h.first())
        + QStringLiteral("\nКолонка: ") + TableModel::caption(column)
        + QStringLiteral("\nПродолжить с ")
        + (backward ? QStringLiteral("последней") : QStringLiteral("первой"))
        + QStringLiteral(" строчки?");
}

int findNext(const TableModel &m, int start, bool backward, int column, const QString &upperNeedle)
{
    FindState &st = findState();
    if (st.busy)
        return -1;
    st.busy = true;
    int found = findNextPass(m, start, backward, column, upperNeedle);
    while (found < 0 && !upperNeedle.isEmpty() && ui().vopr(findWrapQuestion(backward, column)))
        found = findNextPass(m, backward ? m.size() : -1, backward, column, upperNeedle);
    st.busy = false;
    return found;
}

QString markAllRefusal(const TableModel &m, bool select)
{
    if (select && m.selectedCount() == m.size())
        return QStringLiteral("Выделены все строчки");
    if (!select && m.selectedCount() == 0)
        return QStringLiteral("Снято выделение со всех строк");
    return QString();
}

MarkAllResult markAll(TableModel &m, bool select, int column, const QString &upperNeedle, bool busy)
{
    MarkAllResult res;
    FindState &st = findState();
    if (!m.suppress() && !st.busy && !busy) {
        res.ran = true;
        st.busy = true;
        SelectionBatch batch(&m);
        for (int i = 0, n = m.size(); i < n; ++i) {
            const TableRow &r = m.at(i);
            if (!rowMatches(r, column, upperNeedle))
                continue;
            ++res.matches;
            if (r.selected != select) {
                m.setSelected(i, select);
                ++res.changes;
            }
        }
        st.busy = false;
    }
    res.text = QStringLiteral("Строка поиска: ")
        + (st.history.isEmpty() ? QString() : st.history.first())
        + QStringLiteral("\nКолонка: ") + TableModel::caption(column)
        + QStringLiteral("\nНайдено вхождений: ") + QString::number(res.matches)
        + QStringLiteral("\nИз них ")
        + (select ? QStringLiteral("добавлен") : QStringLiteral("снят"))
        + QStringLiteral("о меток: ") + QString::number(res.changes);
    return res;
}

} // namespace vt
