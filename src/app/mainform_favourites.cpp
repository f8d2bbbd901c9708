// The favourite choosers from the main window's side: the search start folder
// the favourite-folder window offers, and the search panel's template button
// (its commands: lists/favouritecommands.cpp).
#include "app/mainform.h"

#include "lists/openvarform.h"
#include "search/searchpanel.h"
#include "table/core/tablemodel.h"

namespace vt {

void TFileForm::buildFavourites()
{
    openVarSession().searchStart = [this] { return m_ctx.table().startFolder(); };
    connect(panTop, &SearchPanel::favouriteTemplatesRequested, this,
            [this] { m_commands.run(QStringLiteral("lists.favouriteTemplates")); });
}

} // namespace vt
