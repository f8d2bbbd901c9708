// The favourite choosers from the main window: the favourite folders for the
// folder field (sbIzbDir) and the favourite templates for the template field.
#include "app/mainform.h"

#include "lists/favouritecommands.h"
#include "lists/openvarform.h"
#include "platform/dirreader.h"
#include "search/searchpanel.h"
#include "table/core/tablemodel.h"
#include "table/resulttable.h"

#include <QLineEdit>

namespace vt {

void TFileForm::buildFavourites()
{
    openVarSession().searchStart = [this] { return ListView->tableModel()->startFolder(); };
    FavouriteHooks h;
    h.parent = this;
    h.folderField = [this] { return panTop->folderText(); };
    h.setFolder = [this](const QString &f) { panTop->setFolderText(f); };
    // Quiet: the window only offers the folder when exactly one row is selected.
    h.tableFolder = [this] {
        const Selection sel = ListView->tableModel()->selection();
        if (sel.size() != 1)
            return QString();
        const QByteArray f = sel.first().entry.folderBytes();
        return fs::displayName(std::string_view(f.constData(), size_t(f.size())));
    };
    h.templateField = [this] { return panTop->eShablon; };
    registerFavouriteCommands(m_commands, std::move(h));
    connect(panTop, &SearchPanel::favouriteTemplatesRequested, this,
            [this] { m_commands.run(QStringLiteral("lists.favouriteTemplates")); });
}

} // namespace vt
