#pragma once
// Deleting: the selected files (to the trash or for good), one file, and the
// empty folders among the rows; and the size report of the table. Each
// deletion logs, removes its rows and marks an open list changed. Without
// widgets: the window half gives the hooks that show its windows.
#include "base/batchrow.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>

namespace vt {

class ListController;
class OperationContext;
class TableModel;
struct TableCounters;

// The removals the loops use; tests put failures in between.
class DeleteEngine {
public:
    virtual ~DeleteEngine() = default;
    virtual bool trash(const QByteArray &path);
    virtual bool remove(const QByteArray &path);
    virtual bool removeDir(const QByteArray &path);
};

struct DeleteResult {
    int deleted = 0;
    int total = 0;
    bool closeWindow = false; // something was deleted
    bool ran = false;         // the question was answered and the loop ran
    QList<BatchRow> rows;     // every item the loop reached, with its log tag
};

// A folder that holds anything (hidden entries too) is not empty; one that
// cannot be listed counts as empty (its removal then fails and says so).
bool folderIsEmpty(const QByteArray &path);
// True when a file (not a folder) is at path.
bool fileExists(const QByteArray &path);

// "Выделено файлов: …\r\nБайт: …\r\nКБ: 1,50" … for the selected and all files.
QString filesSizeText(const TableCounters &c);

class FileDeleter {
public:
    FileDeleter(TableModel &table, OperationContext &ops);

    void setLists(ListController *lists) { m_lists = lists; }
    // Null restores the platform engine.
    void setEngine(DeleteEngine *engine) { m_engine = engine; }
    // The actions window hides while files are deleted.
    void setHideWindow(std::function<void()> hide) { m_hideWindow = std::move(hide); }
    // A dry run: every removal is logged as it would go, nothing is removed,
    // no log saved and the rows stay.
    void setDryRun(bool on) { m_dryRun = on; }

    // The actions window's "Удалить" (Shift: for good).
    DeleteResult deleteSelected(bool permanent);
    // One file, the one of row; true when it is gone afterwards.
    bool Del(bool permanent, int row);
    // Ctrl+E: selects exactly the empty folders of the table.
    void selectEmptyFolders();
    // Ctrl+D: deletes, or selects, the empty folders among the selected rows;
    // toTrash moves them to the trash instead (the command line's choice).
    DeleteResult deleteEmptyFolders(bool toTrash = false);
    // Ctrl+Shift+F4.
    void reportSizes();

private:
    void recount();
    void listChanged();
    // The set engine, else the platform's (a copied deleter keeps no pointer into another).
    DeleteEngine &engine() { return m_engine ? *m_engine : m_platform; }

    TableModel &m_table;
    OperationContext &m_ops;
    std::function<void()> m_hideWindow;
    ListController *m_lists = nullptr;
    DeleteEngine m_platform;
    DeleteEngine *m_engine = nullptr;
    bool m_dryRun = false;
};

} // namespace vt
