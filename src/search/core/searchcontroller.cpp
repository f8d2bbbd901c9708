#include "search/core/searchcontroller.h"

#include "base/currentlog.h"
#include "base/operation.h"
#include "base/services.h"
#include "search/core/matchrow.h"
#include "search/core/recentfolders.h"
#include "search/core/searchreport.h"
#include "search/core/searchsetup.h"
#include "table/core/counters.h"
#include "table/core/tablemodel.h"

namespace vt {

SearchController::SearchController(TableModel &table, OperationContext &ops, CurrentLog &log,
                                   RecentFolders &recent, SearchHooks hooks)
    : m_table(table), m_ops(ops), m_log(log), m_recent(recent), m_hooks(std::move(hooks))
{
}

bool SearchController::confirm(const SearchParams &, SearchMode &mode, bool unreadable)
{
    if (unreadable)
        return ui().vopr(QStringLiteral("Начать поиск имен с \"нечитаемыми\" именами?"));
    if (mode == ModeAllFolders) {
        const YesOk r = ui().vprYesOK(QStringLiteral(
            "Выберите действие:\r[YES]: Поиск всех папок\r[OK]: Поиск только \"пустых\" папок"));
        if (r == YesOk::Yes)
            return true;
        if (r == YesOk::Ok) {
            mode = ModeEmptyFolders;
            return true;
        }
        return false;
    }
    return ui().vopr(QStringLiteral("Начать поиск?"));
}

void SearchController::StartFind(SearchParams p, const Validate &validate, bool unreadable)
{
    m_ops.processEvents();
    if (m_running || m_ops.busy())
        return;
    if (m_hooks.listCheck && !m_hooks.listCheck())
        return;
    if (p.extMode && p.exts.isEmpty()) {
        call(m_hooks.openExtPicker);
        return;
    }
    ValidSearch v;
    if (!validate(p, v))
        return;
    SearchMode mode = modeFor(p);
    if (!confirm(p, mode, unreadable))
        return;
    call(m_hooks.resetListState);

    const QString logLine = searchLogLine(now(), v.folder);
    if (v.folder != m_table.startFolder()) {
        m_table.setStartFolder(v.folder);
        if (m_hooks.setDirPath)
            m_hooks.setDirPath(v.folder);
        m_log.append(logLine);
        m_recent.ProvAndAddFDir(v.folder);
        call(m_hooks.recentFoldersChanged);
    }
    p.depth = clampDepth(p.depth);
    if (m_hooks.addRecentMask)
        m_hooks.addRecentMask(v.mask);

    SummaryInput in;
    in.logLine = logLine;
    in.minBound = v.minBound;
    in.maxBound = v.maxBound;
    in.depth = p.depth;
    in.limitText = QString::number(p.limit);
    in.mask = v.mask;
    in.unreadable = unreadable;
    in.extMode = p.extMode;
    in.extText = p.exts.join(QStringLiteral(", "));
    in.mode = mode;
    in.filesCaption = p.filesState == 2 ? QStringLiteral("Файлы") : QStringLiteral("Файлы/папки");
    in.minKb = p.minKb;
    in.maxKb = p.maxKb;
    in.hideH = p.hideH;
    in.hideS = p.hideS;
    in.hideR = p.hideR;
    m_log.setSearchSummary(searchSummary(in));

    m_listRead = false;
    runWalk(walkSettingsFor(p, v, mode, unreadable));
    ress(-1);
}

void SearchController::runWalk(const WalkSettings &s)
{
    feedback().caption(QStringLiteral("Идет поиск. Нажмите Escape или \"Стоп\" для остановки."));
    m_running = true;
    auto panel = [](int i, const QString &t) { feedback().panel(i, t); };
    {
        OperationContext::Scope busy(m_ops);
        SuppressGuard guard(&m_table);
        m_table.clear();
        m_stop = StopNone;
        panel(1, QString());
        panel(2, QString());
        panel(4, QString());
        panel(7, QStringLiteral("поиск..."));
        int id = 0;
        FolderWalk walk(
            s,
            [this, &id](const WalkItem &m) {
                m_table.appendRow(matchRow(m, ++id));
                return true;
            },
            &m_ops);
        m_stop = walk.run();
        const TableCounters &c = m_table.counters();
        panel(6, QString::number(c.files));
        panel(9, QString::number(c.folders));
        m_ops.processEvents();
        m_running = false;
    }
    {
        SuppressGuard guard(&m_table);
        m_table.setAllSelected(false);
    }
    const TableCounters &c = m_table.counters();
    panel(1, QStringLiteral("0"));
    panel(2, QString());
    panel(4, QStringLiteral("0"));
    panel(7, statusSizeText(c.size));
}

void SearchController::stop()
{
    m_ops.processEvents();
    m_ops.requestStop();
}

void SearchController::ress(int errors)
{
    const bool listRead = errors >= 0;
    if (m_stop != StopNone && m_hooks.listOpen && m_hooks.listOpen())
        call(m_hooks.listNotComplete);
    feedback().caption(reportTitle(m_stop, listRead) + QLatin1Char('.'));
    const TableCounters &c = m_table.counters();
    const QString t = reportText(m_stop, listRead, errors, c.files, c.folders);
    m_log.setSearchSummary(m_log.searchSummary() + QStringLiteral("\r\n-\r\n") + t + QLatin1Char('.'));
    if (errors <= 0) {
        ui().inf(t);
    } else if (ui().vopr(t + QStringLiteral("\r\nОткрыть лог?"))) {
        feedback().showLog();
    }
}

} // namespace vt
