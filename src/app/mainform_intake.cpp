// Paths that reach the table from outside a search: the command line at the
// first activation, drops from the file manager and the menu of the
// "Добавить" button (its commands: lists/pathcommandlist.cpp).
#include "app/mainform.h"

#include "base/currentlog.h"
#include "lists/core/pathintake.h"
#include "lists/core/tableupkeep.h"
#include "lists/pathcommands.h"
#include "rename/prosmform.h"
#include "search/searchpanel.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QToolButton>
#include <QUrl>

namespace vt {

void TFileForm::buildIntake()
{
    m_intake = std::make_unique<PathIntake>(*m_lists, m_ctx.table(), m_ops, currentLog(), this);
    m_ctx.setIntake(m_intake.get());
    setAcceptDrops(true);

    // The button's own menu: tags 0, 1, 2 are plain, Shift and Ctrl.
    auto *pop = new QMenu(this);
    const std::pair<const char16_t *, int> items[] = {
        {u"Добавить пути файлов", 0}, {u"Добавить путь папки", 1}, {u"Ввести имя файла/папки: Ctrl + W", 2}};
    for (const auto &[text, tag] : items)
        connect(pop->addAction(QString::fromUtf16(text)), &QAction::triggered, this,
                [this, tag = tag] { addToTable(m_ctx, tag == 1, tag == 2); });
    panTop->sbAddList->setToolTip(QStringLiteral(
        "Добавить пути файлов в таблицу\r\nShift + клик: добавить путь папки в таблицу\r\n"
        "Ctrl + клик, Ctrl + W: ввести имя файла/папки\r\n*Конт. меню: добавить путь файла/папки"));
    panTop->sbAddList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(panTop->sbAddList, &QWidget::customContextMenuRequested, pop, [this, pop](const QPoint &p) {
        if (!busy())
            pop->popup(panTop->sbAddList->mapToGlobal(p));
    });
}

void TFileForm::startWithParameters()
{
    if (m_params.isEmpty())
        return;
    const AddOutcome o = m_intake->AddParams(AddMode::CommandLine, m_params);
    if (int(o.list) > 0)
        showListMode(o.list);
}

void TFileForm::dragEnterEvent(QDragEnterEvent *e)
{
    if (e->mimeData()->hasUrls())
        e->acceptProposedAction();
}

void TFileForm::dropEvent(QDropEvent *e)
{
    QStringList paths;
    for (const QUrl &u : e->mimeData()->urls())
        if (u.isLocalFile())
            paths << QDir::cleanPath(u.toLocalFile());
    // The file manager gets its drop back before any question is asked.
    e->acceptProposedAction();
    m_intake->addDropped(paths, [this](const QStringList &sorted) {
        Prosmotr(ViewMode::Any, sorted, QStringLiteral("проводнике"), this);
    });
}

} // namespace vt
