#pragma once
// The table commands that the main window's keys, buttons and menus call:
// select first/last, find, marks, sort, remove, invert, shuffle, row move,
// select by kind, recount and scrolling. Each makes its own busy test, and
// registerCommands() puts them into the main window's command table.
#include "table/core/selection.h"

#include <QObject>
#include <functional>

class QWidget;

namespace vt {

class CommandTable;
class OperationContext;
class ResultTable;
class TableModel;

class TableCommands : public QObject {
    Q_OBJECT
public:
    TableCommands(ResultTable *table, OperationContext &ops, QObject *parent = nullptr);

    ResultTable *table() const { return m_table; }
    TableModel *model() const;
    OperationContext &operation() const { return m_ops; }
    bool busy() const;

    // The table's commands with their keys and menu texts. actionsId: the
    // command that "Действия" of the marks window goes on to.
    void registerCommands(CommandTable &t, const QString &actionsId);
    // Ids of the sort menu "Сортировать, перемешать", in menu order.
    static QStringList sortMenuIds();

    // Shift+F2 / Ctrl+F2: clear the selection and select the first or last row.
    void selectFirstOrLast(bool last);
    // F3: the find window, after the find check.
    void findWindow();
    // Shift+F3 / Ctrl+F3: find next with the newest search string.
    void findNext(bool backward);
    // F4: the marks window; true when it closed with "Действия".
    bool marksWindow();
    // Shift+F4: sort by marks.
    void sortByMarks();
    // Ctrl+F4: remove the selected rows from the table after the question.
    void removeSelectedAsk();
    // F5: focus the table and scroll the selected row into view.
    void focusCurrent();
    // Shift+F5: invert the selection.
    void invert();
    // Ctrl+F5: shuffle the rows.
    void shuffle();
    // F7 and its variants.
    void moveRow(bool shift, bool ctrl);
    // The sort command: code 0..10, 12 (random), 13 (marks); d -1 or +1.
    void sort(int code, int d);
    // Buttons "Выделить все" / "Снять выделение" and their menu items.
    void selectByKind(bool select, bool folders, bool files);
    void SelTab(SelectAll how);
    // Recount; explicitFlag for the menu command (it reports the result).
    void Peressh(bool explicitFlag);
    void scrollHome();
    void scrollEnd();
    // Menu item "Разрешить перетаскивание строк": switches row dragging
    // (sound 2 on, sound 3 off); not while busy. Returns the new state.
    bool toggleRowDrag();

    // The marks window's buttons run these too.
    void removeSelectedRowsNow();
    void findNextFrom(bool backward, const QString &upperNeedle);

signals:
    // Rows were removed from the table (an open list is then changed).
    void rowsRemoved();

private:
    bool findCheck();
    void afterFound(int row);
    void processEvents();

    ResultTable *m_table;
    OperationContext &m_ops;
};

} // namespace vt
