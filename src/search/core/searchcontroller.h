#pragma once
// Starting, running, stopping and reporting a search: everything between the
// "Поиск" command and the final message, without widgets. The main window
// gives the hooks that touch its controls.
#include "search/core/folderwalk.h"
#include "search/core/searchparams.h"

#include <QString>
#include <functional>

namespace vt {

class CurrentLog;
class OperationContext;
class RecentFolders;
class TableModel;

struct SearchHooks {
    std::function<bool()> listCheck;          // unsaved open list; false cancels
    std::function<void()> openExtPicker;
    std::function<void()> resetListState;
    std::function<void(const QString &)> setDirPath;
    std::function<void()> recentFoldersChanged;
    std::function<void(const QString &)> addRecentMask;
    std::function<void()> listNotComplete;    // an open list was not read to its end
    std::function<bool()> listOpen;
};

class SearchController {
public:
    using Validate = std::function<bool(SearchParams &, ValidSearch &)>;

    SearchController(TableModel &table, OperationContext &ops, CurrentLog &log,
                     RecentFolders &recent, SearchHooks hooks);

    // The search in mask mode. validate runs the start checks on the panel's
    // parameters (and writes corrections back to it).
    void StartFind(SearchParams p, const Validate &validate, bool unreadable = false);
    // "Стоп" and Escape.
    void stop();
    // Final report; errors is -1 for a search, the read errors of a list read.
    void ress(int errors);

    // How the last search or list read ended; kept until the next one.
    StopFlag stopFlag() const { return m_stop; }
    void setStopFlag(StopFlag f) { m_stop = f; }
    bool running() const { return m_running; }

private:
    void call(const std::function<void()> &f) { if (f) f(); }
    bool confirm(const SearchParams &p, SearchMode &mode, bool unreadable);
    void runWalk(const WalkSettings &s);

    TableModel &m_table;
    OperationContext &m_ops;
    CurrentLog &m_log;
    RecentFolders &m_recent;
    SearchHooks m_hooks;
    StopFlag m_stop = StopNone;
    bool m_running = false;
    bool m_listRead = false;
};

} // namespace vt
