// The table's entries in the main window's command table.
#include "table/tablecommands.h"

#include "base/commands.h"
#include "table/core/sorting.h"
#include "table/resulttable.h"

#include <Qt>

namespace vt {
namespace {

KeyBinding key(int k, bool shift = false, bool ctrl = false) { return {k, shift, ctrl}; }

struct SortItem {
    const char16_t *caption;
    int code;
};
constexpr SortItem kSortItems[] = {
    {u"по ID", 0},         {u"по папкам", 1},          {u"по именам", 2},
    {u"по типу", 3},       {u"по размеру файлов", 5},  {u"по дате изменения", 7},
    {u"колонка Ord", 8},   {u"колонка Page", 9},       {u"по атрибутам", 10},
    {u"по меткам", SortMarks},
};

} // namespace

QStringList TableCommands::sortMenuIds()
{
    QStringList ids;
    for (const SortItem &s : kSortItems)
        ids << QStringLiteral("table.sort.%1").arg(s.code);
    ids << QStringLiteral("table.shuffle");
    return ids;
}

void TableCommands::registerCommands(CommandTable &t, const QString &actionsId)
{
    using B = BusyPolicy;
    t.add("table.first", u"Выделить первую строчку", u"Shift + F2",
        {key(Qt::Key_F2, true), key(Qt::Key_F2, true, true)}, B::Refuse, [this] { selectFirstOrLast(false); });
    t.add("table.last", u"Выделить последнюю строчку", u"Ctrl + F2", {key(Qt::Key_F2, false, true)},
        B::Refuse, [this] { selectFirstOrLast(true); });
    t.add("table.find", u"Поиск по таблице (выбрать)", u"F3", {key(Qt::Key_F3)}, B::Refuse,
        [this] { findWindow(); });
    t.add("table.findForward", u"Поиск \"вперед\" по таблице", u"Shift + F3",
        {key(Qt::Key_F3, true), key(Qt::Key_F3, true, true)}, B::Refuse, [this] { findNext(false); });
    t.add("table.findBackward", u"Поиск \"назад\" по таблице", u"Ctrl + F3", {key(Qt::Key_F3, false, true)},
        B::Refuse, [this] { findNext(true); });
    // "Действия" in the marks window goes on to the actions window.
    t.add("table.marks", u"Метки (выбрать)", u"F4", {key(Qt::Key_F4)}, B::Refuse, [this, &t, actionsId] {
        if (marksWindow())
            t.run(actionsId);
    });
    t.add("table.sortByMarks", u"Сортировать по меткам", u"Shift + F4", {key(Qt::Key_F4, true)}, B::Allow,
        [this] { sortByMarks(); });
    t.add("table.removeRows", u"Удалить из таблицы", u"Ctrl + F4", {key(Qt::Key_F4, false, true)},
        B::Refuse, [this] { removeSelectedAsk(); });
    t.add("table.focus", u"Найти в таблице", u"F5", {key(Qt::Key_F5)}, B::Refuse, [this] { focusCurrent(); });
    t.add("table.invert", u"Инвертировать выделение", u"Shift + F5",
        {key(Qt::Key_F5, true), key(Qt::Key_F5, true, true)}, B::Refuse, [this] { invert(); });
    t.add("table.shuffle", u"Перемешать", u"Ctrl + F5", {key(Qt::Key_F5, false, true)}, B::Allow,
        [this] { shuffle(); });
    t.add("table.moveTo", u"Переместить на номер...", u"F7", {key(Qt::Key_F7)}, B::Refuse,
        [this] { moveRow(false, false); });
    t.add("table.moveUp", u"Выше на 1 строчку", u"Shift + F7", {key(Qt::Key_F7, true)}, B::Refuse,
        [this] { moveRow(true, false); });
    t.add("table.moveDown", u"Ниже на 1 строчку", u"Ctrl + F7", {key(Qt::Key_F7, false, true)}, B::Refuse,
        [this] { moveRow(false, true); });
    t.add("table.moveEnd", u"В конец таблицы", u"Shift + Ctrl + F7", {key(Qt::Key_F7, true, true)},
        B::Refuse, [this] { moveRow(true, true); });
    t.add("table.show83", u"Показать колонку 8.3", u"Ctrl + K", {key(Qt::Key_K, false, true)}, B::Refuse,
        [this] { m_table->ShowHide83(false); });
    t.add("table.hide83", u"Спрятать колонку 8.3", u"Ctrl + Shift + K", {key(Qt::Key_K, true, true)},
        B::Refuse, [this] { m_table->ShowHide83(true); });
    t.add("table.recount", u"Пересчитать", u"", {}, B::Refuse, [this] { Peressh(true); });
    t.add("table.selectAll", u"Выделить все", u"", {}, B::Refuse, [this] { selectByKind(true, false, false); });
    t.add("table.clearAll", u"Снять выделение", u"", {}, B::Refuse,
        [this] { selectByKind(false, false, false); });
    // The variants of the select and clear buttons (Shift, Ctrl); no menu item.
    t.add("table.selectFolders", u"", u"", {}, B::Refuse, [this] { selectByKind(true, true, false); });
    t.add("table.selectFiles", u"", u"", {}, B::Refuse, [this] { selectByKind(true, false, true); });
    t.add("table.clearFolders", u"", u"", {}, B::Refuse, [this] { selectByKind(false, true, false); });
    t.add("table.clearFiles", u"", u"", {}, B::Refuse, [this] { selectByKind(false, false, true); });
    t.add("table.home", u"В начало таблицы", u"", {}, B::Allow, [this] { scrollHome(); });
    t.add("table.end", u"В конец таблицы", u"", {}, B::Allow, [this] { scrollEnd(); });
    for (const SortItem &s : kSortItems) {
        const int code = s.code;
        t.add(qPrintable(QStringLiteral("table.sort.%1").arg(code)), s.caption, u"", {}, B::Refuse,
            [this, code] { sort(code, -1); });
    }
    // The check mark follows the table: a refused switch leaves it as it was.
    Command drag;
    drag.id = QStringLiteral("table.rowDrag");
    drag.caption = QStringLiteral("Разрешить перетаскивание строк");
    drag.run = [this] { toggleRowDrag(); };
    drag.checked = [this] { return m_table->rowDragEnabled(); };
    t.add(std::move(drag));
}

} // namespace vt
