// The main window as its subsystems see it (AppWindow): its fields, its look
// and the windows of one subsystem that another one needs.
#include "app/mainform.h"

#include "fileops/core/deletefiles.h"
#include "fileops/fileopscommands.h"
#include "lists/core/favourites.h"
#include "lists/filstrform.h"
#include "lists/listcommands.h"
#include "lists/openvarform.h"
#include "rename/renamecommands.h"
#include "shell/openwithform.h"
#include "shell/shellcommands.h"
#include "shell/svvform.h"
#include "search/searchpanel.h"
#include "table/core/tablemodel.h"
#include "table/resulttable.h"
#include "table/tablecommands.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace vt {

void TFileForm::recount() { tableCommands->Peressh(false); }

int TFileForm::currentRow() const { return ListView->currentRow(); }

QString TFileForm::folderField() const { return panTop->folderText(); }

void TFileForm::setFolderField(const QString &folder) { panTop->setFolderText(folder); }

void TFileForm::showStartFolder(const QString &folder) { panTop->SetDirPath(folder); }

QLineEdit *TFileForm::templateField() { return panTop->eShablon; }

QStringList TFileForm::extensions() const { return panTop->params().exts; }

bool TFileForm::chooseFolder(FolderPick way, QString &folder) { return panTop->GetDirOnly(way, folder); }

ListKind TFileForm::listModeKind() const
{
    if (panTop->rbMdVTS->isChecked())
        return ListKind::Vts;
    if (panTop->rbMdVTX->isChecked())
        return ListKind::Vtx;
    return panTop->rbMdVTL->isChecked() ? ListKind::Vtl : ListKind::None;
}

bool TFileForm::ordLinksShown() const { return !labOrd->isHidden(); }

bool TFileForm::QRename(RenameTarget target, QString &path, QByteArray *native)
{
    return quickRenameFile(m_ctx, target, path, native);
}

bool TFileForm::quickRename(QString &path, QByteArray *native)
{
    return QRename(RenameTarget::GivenFile, path, native);
}

bool TFileForm::renameByRule(const std::function<void()> &beforeShow)
{
    return vt::renameByRule(m_ctx, false, beforeShow);
}

bool TFileForm::chooseQuickRename(QWidget *parent, int *index, QString *text)
{
    return vt::chooseQuickRename(parent, index, text);
}

void TFileForm::runQuickRename(int index, const QString &text) { vt::runQuickRename(m_ctx, index, text); }

bool TFileForm::openWith(bool single, const QStringList &paths, const QString &page, QWidget *parent)
{
    return OpenWith(single, paths, page, parent, [](QLineEdit *field) {
        OpenFilStr(FavouriteKind::Parameter, FavouriteStrings::storePath(FavouriteKind::Parameter), field,
                   QStringLiteral("Избранные параметры"), field->window());
    });
}

void TFileForm::viewProperties(const QString &path, bool folder, QWidget *parent)
{
    vt::viewProperties(path, folder, [this, path, parent] { openWith(true, {path}, QString(), parent); }, parent);
}

bool TFileForm::sendSelected() { return vt::sendSelected(m_ctx); }

bool TFileForm::saveVts() { return saveVtsAsk(m_ctx); }

QString TFileForm::chooseFavouriteFolder(const QString &current, const QString &tableFolder, QWidget *parent)
{
    QString chosen;
    OpenIzb(current, tableFolder, chosen, true, parent);
    return chosen;
}

bool TFileForm::deleteRow(bool permanent, int row) { return deleterFor(m_ctx).Del(permanent, row); }

} // namespace vt
