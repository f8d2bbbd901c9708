#include "lists/core/tableupkeep.h"

#include "base/appcontext.h"
#include "base/currentlog.h"
#include "base/services.h"
#include "lists/core/listcontroller.h"
#include "table/core/tablemodel.h"

namespace vt {

bool perenum(TableModel &table, bool ask)
{
    if (table.size() == 0) {
        ui().beep();
        return false;
    }
    if (ask && !ui().vopr(QStringLiteral("Перенумеровать колонку ID?")))
        return false;
    for (int i = 0; i < table.size(); ++i)
        table.setCell(i, ColID, QString::number(i + 1));
    table.counters().rowsRemoved = false;
    zv(3);
    return true;
}

bool convertToFullPaths(TableModel &table)
{
    const QString start = table.startFolder();
    if (start.isEmpty())
        return false;
    for (int i = 0; i < table.size(); ++i)
        table.setCell(i, ColFolder, start + table.at(i).cells[ColFolder]);
    table.setStartFolder(QString());
    return true;
}

void convertFolders(AppContext &ctx, bool silent)
{
    if (!convertToFullPaths(ctx.table()))
        return;
    ctx.window().showStartFolder(QString());
    if (ctx.lists().isOpen() && ctx.lists().kind() == ListKind::Vts)
        ctx.lists().SetlabChanSpis(ChangedState::Changed);
    ctx.log().append(logStamp() + QStringLiteral("Колонка \"Папка\" конвертирована в полный формат\r\n-"));
    if (!silent)
        zv(3);
}

} // namespace vt
