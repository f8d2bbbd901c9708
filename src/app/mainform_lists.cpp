// The open list in the main window: its controller and group, the list type
// radios, the look of a snapshot and the Ord/Page links and columns.
#include "app/mainform.h"

#include "base/currentlog.h"
#include "base/settings.h"
#include "lists/core/ordstore.h"
#include "lists/core/tableupkeep.h"
#include "lists/core/vtsfile.h"
#include "lists/listgroup.h"
#include "lists/ordform.h"
#include "lists/savevtxform.h"
#include "lists/vtsform.h"
#include "search/searchpanel.h"
#include "shell/core/shellrun.h"
#include "table/core/tablemodel.h"
#include "table/resulttable.h"
#include "table/tablecommands.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QToolButton>

namespace vt {
namespace {

// The shown widths of the Ord and Page columns, kept on the view.
const char kOrdWidth[] = "vtOrdWidth";
const char kPageWidth[] = "vtPageWidth";

} // namespace

void TFileForm::buildLists()
{
    m_lists = std::make_unique<ListController>(m_ctx.table(), m_ops, currentLog(), this, this);
    m_ctx.setLists(m_lists.get());
    m_listGroup = new ListGroup(*m_lists, panTop->gbAllSpis, panTop->labAllSpis, panTop->wAllSpisTools);
    connect(m_listGroup, &ListGroup::renameClicked, this, [this] {
        if (busy() || !m_lists->provSpisOpen(false, true, true))
            return;
        QString path = m_lists->path();
        if (QRename(RenameTarget::GivenFile, path))
            m_lists->renamed(path);
    });
    connect(m_lists.get(), &ListController::stateChanged, this, [this] {
        panTop->setListOpen(m_lists->isOpen());
        const bool ordPage = m_lists->isOpen()
                          && (m_lists->kind() == ListKind::Vtl || m_lists->kind() == ListKind::Vts);
        // VisOrdPage
        labOrd->setVisible(ordPage);
        labPage->setVisible(ordPage);
        SetuOrdPage();
        SetVtsIs(m_lists->isOpen() && m_lists->kind() == ListKind::Vts);
    });
    ListView->setProperty(kOrdWidth, ListView->columnWidth(ColOrd));
    ListView->setProperty(kPageWidth, ListView->columnWidth(ColPage));
    auto *ordLink = new OrdLink(labOrd, QStringLiteral("ord"),
                                QStringLiteral("Назначить ординал (от 1 до 255) для списка VTL / VTS: Ctrl + O"),
                                QColor(255, 128, 64));
    auto *pageLink = new OrdLink(labPage, QStringLiteral("page"),
                                 QStringLiteral("Любой номер (от 1 до 2147483647) для списка VTL / VTS: Ctrl + P"),
                                 QColor(0, 128, 192));
    connect(ordLink, &OrdLink::clicked, this, [this] { m_commands.run(QStringLiteral("lists.ord")); });
    connect(pageLink, &OrdLink::clicked, this, [this] { m_commands.run(QStringLiteral("lists.page")); });
    // Rows taken out of an open list's table change the list.
    connect(tableCommands, &TableCommands::rowsRemoved, this, [this] {
        if (m_lists->isOpen())
            m_lists->SetlabChanSpis(ChangedState::Changed);
    });
}

void TFileForm::reportListRead(int stop, int errors)
{
    search().setStopFlag(StopFlag(stop));
    search().ress(errors);
    showCounters();
}

int TFileForm::askSaveTextList(const QString &path, bool incomplete, bool *relative)
{
    return VprVtx(path, incomplete, relative, this);
}

void TFileForm::convertFolders(bool silent) { vt::convertFolders(m_ctx, silent); }

void TFileForm::showListMode(ListKind kind)
{
    panTop->setListMode(true);
    (kind == ListKind::Vtx ? panTop->rbMdVTX : kind == ListKind::Vts ? panTop->rbMdVTS : panTop->rbMdVTL)
        ->setChecked(true);
    panBot->setFocus();
}

void TFileForm::SetVtsIs(bool on)
{
    QPalette pal = ListView->palette();
    const QColor base = on ? vtsColour() : QColor(Qt::white);
    if (pal.color(QPalette::Base) != base) {
        pal.setColor(QPalette::Base, base);
        ListView->setPalette(pal);
    }
    panTop->sbAddList->setEnabled(!on);
}

void TFileForm::SetuOrdPage()
{
    const std::optional<bool> shown = ordColumnsShown(OrdPageMode(settings().ophs), !labOrd->isHidden());
    if (!shown)
        return;
    const std::pair<int, const char *> cols[] = {{ColOrd, kOrdWidth}, {ColPage, kPageWidth}};
    for (const auto &[col, key] : cols) {
        if (ListView->isColumnHidden(col) != *shown)
            continue;
        ListView->setColumnHidden(col, !*shown);
        const int width = ListView->property(key).toInt();
        if (*shown)
            ListView->setColumnWidth(col, width > 0 ? width : ResultTable::startWidth(col));
    }
}

void TFileForm::applyOrdPageAtStart() { SetuOrdPage(); }

} // namespace vt
