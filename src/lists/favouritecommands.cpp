#include "lists/favouritecommands.h"

#include "base/appcontext.h"
#include "lists/filstrform.h"
#include "lists/openvarform.h"
#include "platform/dirreader.h"
#include "table/core/tablemodel.h"

namespace vt {
namespace {

// Quiet: the window only offers the folder when exactly one row is selected.
QString selectedRowFolder(const TableModel &table)
{
    const Selection sel = table.selection();
    if (sel.size() != 1)
        return QString();
    const QByteArray f = sel.first().entry.folderBytes();
    return fs::displayName(std::string_view(f.constData(), size_t(f.size())));
}

} // namespace

void registerFavouriteCommands(AppContext &ctx)
{
    AppContext *c = &ctx;
    ctx.commands().add("lists.favouriteFolder", u"", u"", {}, BusyPolicy::Refuse, [c] {
        QString chosen;
        if (OpenIzb(c->window().folderField(), selectedRowFolder(c->table()), chosen, false, c->window().widget()))
            c->window().setFolderField(chosen);
    });
    ctx.commands().add("lists.favouriteTemplates", u"Избранные шаблоны", u"", {}, BusyPolicy::Refuse, [c] {
        OpenFilStr(FavouriteKind::Template, FavouriteStrings::storePath(FavouriteKind::Template),
                   c->window().templateField(), QStringLiteral("Избранные шаблоны"), c->window().widget());
    });
}

} // namespace vt
