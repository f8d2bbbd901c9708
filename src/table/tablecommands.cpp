#include "table/tablecommands.h"

#include "base/operation.h"
#include "base/services.h"
#include "base/textutil.h"
#include "table/colfindform.h"
#include "table/core/selection.h"
#include "table/core/sorting.h"
#include "table/metform.h"
#include "table/resulttable.h"
#include "widgets/keystate.h"

#include <QHeaderView>

namespace vt {

TableCommands::TableCommands(ResultTable *table, OperationContext &ops, QObject *parent)
    : QObject(parent), m_table(table), m_ops(ops)
{
    m_table->setBusyTest([&ops] { return ops.busy(); });
    connect(m_table->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int col) {
        const bool shift = shiftHeld();
        sort(col, shift ? 1 : -1);
    });
}

TableModel *TableCommands::model() const { return m_table->tableModel(); }

bool TableCommands::busy() const { return m_ops.busy(); }

void TableCommands::processEvents() { m_ops.processEvents(); }

void TableCommands::selectFirstOrLast(bool last)
{
    if (busy())
        return;
    TableModel *m = model();
    if (m->size() <= 1) {
        ui().beep();
        return;
    }
    vt::selTab(*m, SelectAll::ClearQuietly);
    const int row = last ? m->size() - 1 : 0;
    m->setSelected(row, true);
    m_table->setCurrentRow(row);
    m_table->setf(3);
    m_table->notifyCounters();
}

bool TableCommands::findCheck()
{
    if (busy())
        return false;
    TableModel *m = model();
    if (m->size() <= 1) {
        ui().beep();
        return false;
    }
    if (m->selectedCount() == 1) {
        m_table->setCurrentRow(m->firstSelected());
    } else {
        vt::selTab(*m, SelectAll::ClearQuietly);
        m_table->clearCurrentRow();
        m_table->setFocus(Qt::OtherFocusReason);
    }
    m_table->notifyCounters();
    return true;
}

void TableCommands::findWindow()
{
    if (!findCheck())
        return;
    TColFindForm form(this, m_table->window());
    form.exec();
}

void TableCommands::findNext(bool backward)
{
    if (!findCheck())
        return;
    const QStringList &h = findState().history;
    if (h.isEmpty() || h.first().isEmpty()) {
        TColFindForm form(this, m_table->window());
        form.exec();
        return;
    }
    findNextFrom(backward, upper(h.first()));
}

void TableCommands::findNextFrom(bool backward, const QString &upperNeedle)
{
    TableModel *m = model();
    if (m->suppress() || upperNeedle.isEmpty())
        return;
    int start = m_table->currentRow();
    if (start < 0 && backward)
        start = m->size();
    const int row = vt::findNext(*m, start, backward, findState().column, upperNeedle);
    processEvents();
    if (row >= 0)
        afterFound(row);
}

void TableCommands::afterFound(int row)
{
    TableModel *m = model();
    const int cur = m_table->currentRow();
    if (cur >= 0 && cur != row)
        m->setSelected(cur, false);
    m->setSelected(row, true);
    m_table->setCurrentRow(row);
    m_table->setFocus(Qt::OtherFocusReason);
    zv(3);
    m_table->notifyCounters();
}

bool TableCommands::marksWindow()
{
    if (busy())
        return false;
    TMetForm form(this, m_table->window());
    return form.exec() == QDialog::Accepted;
}

void TableCommands::sortByMarks() { sort(SortMarks, -1); }

void TableCommands::removeSelectedAsk()
{
    if (busy())
        return;
    const int n = model()->selectedCount();
    if (n == 0) {
        ui().beep();
        return;
    }
    if (!ui().vopr(QStringLiteral("Удалить выделенные строчки (") + QString::number(n)
                   + QStringLiteral(" шт.)?\rУдаляются только из таблицы")))
        return;
    removeSelectedRowsNow();
}

void TableCommands::removeSelectedRowsNow()
{
    if (removeSelectedRows(*model()) > 0)
        emit rowsRemoved();
    m_table->notifyCounters();
}

void TableCommands::focusCurrent()
{
    if (busy())
        return;
    if (model()->size() == 0) {
        ui().beep();
        return;
    }
    m_table->setf(3);
}

void TableCommands::invert()
{
    if (busy())
        return;
    if (model()->size() == 0) {
        ui().beep();
        return;
    }
    invertSelection(*model());
    m_table->notifyCounters();
}

void TableCommands::shuffle() { sort(SortRandom, -1); }

void TableCommands::moveRow(bool shift, bool ctrl)
{
    if (busy())
        return;
    TableModel *m = model();
    const int n = m->size();
    if (m->selectedCount() != 1 || n < 2) {
        ui().beep();
        return;
    }
    const int i = m->firstSelected();
    int t;
    if (shift && ctrl) {
        t = n - 1;
    } else if (shift) {
        t = i - 1;
    } else if (ctrl) {
        t = i + 1;
    } else {
        const auto answer = ui().input(
            QStringLiteral("Переместить на номер..."),
            QStringLiteral("Введите число от 1 до ") + QString::number(n) + QStringLiteral(", кроме ")
                + QString::number(i + 1),
            i == 0 ? QString::number(n) : QStringLiteral("1"));
        if (!answer)
            return;
        const QString text = answer->trimmed();
        if (text.isEmpty())
            return;
        bool ok = false;
        const int v = text.toInt(&ok);
        t = (ok ? v : 0) - 1;
    }
    if (t < 0 || t > n - 1 || t == i) {
        ui().beep();
        return;
    }
    {
        SuppressGuard guard(m);
        m->moveRow(i, t);
    }
    m_table->setCurrentRow(t);
    m_table->setFocus(Qt::OtherFocusReason);
    zv(3);
    m_table->notifyCounters();
}

void TableCommands::sort(int code, int d)
{
    processEvents();
    if (busy())
        return;
    TableModel *m = model();
    if (m->size() < 2) {
        ui().beep();
        return;
    }
    {
        OperationContext::Scope busy(m_ops);
        processEvents();
        sortTable(*m, code, d);
        m_table->notifyCounters();
        processEvents();
    }
    m_table->setf(d);
}

void TableCommands::selectByKind(bool select, bool folders, bool files)
{
    if (busy())
        return;
    if (model()->size() == 0) {
        ui().beep();
        return;
    }
    vt::selectByKind(*model(), select, folders, files);
    m_table->notifyCounters();
}

void TableCommands::SelTab(SelectAll how)
{
    vt::selTab(*model(), how);
    m_table->notifyCounters();
}

void TableCommands::Peressh(bool explicitFlag)
{
    TableCounters fresh;
    {
        OperationContext::Scope busy(m_ops);
        processEvents();
        fresh = model()->computeCounters();
    }
    recount(*model(), explicitFlag, &fresh);
    m_table->notifyCounters();
}

void TableCommands::scrollHome()
{
    m_table->scrollToTop();
    zv(2);
}

void TableCommands::scrollEnd()
{
    m_table->scrollToBottom();
    zv(1);
}

bool TableCommands::toggleRowDrag()
{
    if (busy())
        return m_table->rowDragEnabled();
    const bool on = !m_table->rowDragEnabled();
    m_table->setRowDragEnabled(on);
    zv(on ? 2 : 3);
    return on;
}

} // namespace vt
