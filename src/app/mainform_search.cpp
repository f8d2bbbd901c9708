#include "app/mainform.h"

#include "base/currentlog.h"
#include "base/services.h"
#include "app/logform.h"
#include "lists/listcommands.h"
#include "search/searchpanel.h"
#include "table/core/tablemodel.h"
#include "table/resulttable.h"
#include "table/statuspanels.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QRadioButton>
#include <QToolButton>

namespace vt {

SearchController &TFileForm::search()
{
    if (!m_search) {
        SearchHooks h;
        h.openExtPicker = [this] { panTop->chooseExtensions(); };
        h.setDirPath = [this](const QString &folder) { panTop->SetDirPath(folder); };
        h.recentFoldersChanged = [this] { showRecentFolders(); };
        h.addRecentMask = [this](const QString &mask) { panTop->addRecentMask(mask); };
        h.listCheck = [this] { return lists().provChan(false) != ChanAnswer::Cancelled; };
        h.resetListState = [this] { lists().forget(); };
        h.listOpen = [this] { return lists().isOpen(); };
        h.listNotComplete = [this] { lists().SetlabChanSpis(ChangedState::ReadIncompletely); };
        m_search = std::make_unique<SearchController>(*ListView->tableModel(), m_ops, currentLog(),
                                                      m_recent, std::move(h));
    }
    return *m_search;
}

void TFileForm::StartFind(const QString &path)
{
    Q_UNUSED(path); // a list file to read, once lists exist
    m_ops.processEvents();
    if (busy())
        return;
    panBot->setFocus();
    if (panTop->listMode()) {
        if (lists().provChan(false) != ChanAnswer::Cancelled)
            openListFlow(m_ctx);
        return;
    }
    search().StartFind(
        panTop->params(),
        [this](SearchParams &p, ValidSearch &v) {
            const bool ok = panTop->validate(v);
            p = panTop->params();
            return ok;
        },
        m_unreadable);
    showCounters();
}

void TFileForm::sbStopClick()
{
    // One stop for the search, the list reads and every batch.
    search().stop();
}

void TFileForm::miFndUnicClick()
{
    if (busy())
        return;
    panTop->rbShab->setChecked(true);
    m_ops.processEvents();
    m_unreadable = true;
    struct Reset {
        bool &flag;
        ~Reset() { flag = false; }
    } reset{m_unreadable};
    StartFind();
}

void TFileForm::onRecentFolderChosen(int index)
{
    if (busy())
        return;
    QString folder;
    switch (m_recent.pick(index, &folder)) {
    case RecentFolders::Pick::Chosen:
        panTop->setFolderText(folder);
        zv(3);
        break;
    case RecentFolders::Pick::Refused:
        ui().beep();
        break;
    case RecentFolders::Pick::Missing:
        ui().inf(QStringLiteral("Не найдена папка:\r") + folder);
        break;
    }
}

void TFileForm::showRecentFolders()
{
    panTop->setRecentFolders(m_recent.list().mid(0, RecentFolders::kShown));
}

} // namespace vt
