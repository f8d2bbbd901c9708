#include "lists/favouritecommands.h"

#include "lists/filstrform.h"
#include "lists/openvarform.h"

namespace vt {

void registerFavouriteCommands(CommandTable &t, FavouriteHooks h)
{
    t.add("lists.favouriteFolder", u"", u"", {}, BusyPolicy::Refuse, [h] {
        QString chosen;
        if (OpenIzb(h.folderField(), h.tableFolder(), chosen, false, h.parent))
            h.setFolder(chosen);
    });
    t.add("lists.favouriteTemplates", u"Избранные шаблоны", u"", {}, BusyPolicy::Refuse, [h] {
        OpenFilStr(FavouriteKind::Template, FavouriteStrings::storePath(FavouriteKind::Template),
                   h.templateField(), QStringLiteral("Избранные шаблоны"), h.parent);
    });
}

} // namespace vt
