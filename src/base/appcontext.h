#pragma once
// The context of the main window's subsystems. The main window owns one and
// hands it to each subsystem's command list (`registerXCommands(AppContext &)`):
// the result table, the operation context, the command table, the open list,
// the paths from outside, the current log and the state kept for the run,
// and, through AppWindow, what only the window can do for them (its fields,
// its look, the windows of other subsystems). Only forward declarations
// here: every module may include it without depending on the modules above.
#include "base/commands.h"
#include "base/operation.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QLineEdit;
class QWidget;

namespace vt {

class CurrentLog;
class ListController;
class PathIntake;
class RunState;
class TableModel;
enum class FolderPick;
enum class ListKind;

// The single selected row's folder (Folder) or its full path (Any: file or
// folder, File: a file).
enum class ProvMode { Folder = 0, Any = 1, File = 2 };
struct RowPath {
    QByteArray native; // the bytes to open
    QString text;      // for messages and fields
    bool isEmpty() const { return native.isEmpty(); }
};

// The main window as its subsystems see it.
class AppWindow {
public:
    virtual ~AppWindow() = default;

    // The parent of the subsystems' windows.
    virtual QWidget *widget() = 0;
    // The counters of the status bar shown anew / recomputed from the rows.
    virtual void showCounters() = 0;
    virtual void recount() = 0;
    // The focused table row, -1 for none.
    virtual int currentRow() const = 0;
    // Checks the selection (one row) and the disk; empty after telling the
    // user why not.
    virtual RowPath provList(ProvMode mode) = 0;
    // The command-line parameters the program was started with.
    virtual const QStringList &parameters() const = 0;

    // The search panel: the folder field, the search start folder it shows,
    // the template field, the extension list, its folder chooser, list mode.
    virtual QString folderField() const = 0;
    virtual void setFolderField(const QString &folder) = 0;
    virtual void showStartFolder(const QString &folder) = 0;
    virtual QLineEdit *templateField() = 0;
    virtual QStringList extensions() const = 0;
    virtual bool chooseFolder(FolderPick way, QString &folder) = 0;
    // List mode with the type of this kind checked, the focus off the fields.
    virtual void showListMode(ListKind kind) = 0;
    // The list type checked in list mode (None: none).
    virtual ListKind listModeKind() const = 0;
    virtual void startSearch() = 0;

    // The table's look: a snapshot's colour, the Ord/Page links and columns.
    virtual void setVtsLook(bool on) = 0;
    virtual bool ordLinksShown() const = 0;
    virtual void applyOrdPageColumns() = 0;

    // After a list read: the search's end-of-read report (stop: the walk's
    // StopFlag) with the read errors, and the counters.
    virtual void reportListRead(int stop, int errors) = 0;
    // The save dialog of a VTX/M3U list: 6 Да, 7 Нет, 2 Отмена; *relative
    // tells whether names relative to the list's folder were chosen.
    virtual int askSaveTextList(const QString &path, bool incomplete, bool *relative) = 0;
    // "Папка" to full paths (silent: no sound).
    virtual void convertFolders(bool silent) = 0;

    // Windows of other subsystems, which a subsystem's window does not open itself.
    virtual bool quickRename(QString &path, QByteArray *native = nullptr) = 0;
    virtual QString chooseFavouriteFolder(const QString &current, const QString &tableFolder,
                                          QWidget *parent) = 0;
    virtual bool openWith(bool single, const QStringList &paths, const QString &page, QWidget *parent) = 0;
    virtual void viewProperties(const QString &path, bool folder, QWidget *parent) = 0;
    virtual bool deleteRow(bool permanent, int row) = 0;
    virtual bool saveVts() = 0;
    virtual bool sendSelected() = 0;
    virtual bool openTextSearch() = 0;
    // The rule rename's preview on the selected rows; beforeShow runs once
    // there is something to rename. False when there is nothing.
    virtual bool renameByRule(const std::function<void()> &beforeShow) = 0;
    // The quick-rename chooser and what it handed back.
    virtual bool chooseQuickRename(QWidget *parent, int *index, QString *text) = 0;
    virtual void runQuickRename(int index, const QString &text) = 0;
};

class AppContext {
public:
    // The table model is the context's; the view only shows it.
    explicit AppContext(std::shared_ptr<TableModel> table);
    ~AppContext();
    AppContext(const AppContext &) = delete;
    AppContext &operator=(const AppContext &) = delete;

    TableModel &table() const { return *m_table; }
    // For an owner that must keep the model alive past the context.
    std::shared_ptr<TableModel> sharedTable() const { return m_table; }
    OperationContext &ops() { return m_ops; }
    CommandTable &commands() { return m_commands; }
    bool busy() const { return m_ops.busy(); }
    // The run's current log and run-long state (RunState).
    CurrentLog &log() const;
    RunState &run() const;

    // Set by the main window as it builds them.
    ListController &lists() const { return *m_lists; }
    void setLists(ListController *lists) { m_lists = lists; }
    PathIntake &intake() const { return *m_intake; }
    void setIntake(PathIntake *intake) { m_intake = intake; }
    AppWindow &window() const { return *m_window; }
    void setWindow(AppWindow *window) { m_window = window; }

private:
    std::shared_ptr<TableModel> m_table;
    OperationContext m_ops;
    CommandTable m_commands;
    ListController *m_lists = nullptr;
    PathIntake *m_intake = nullptr;
    AppWindow *m_window = nullptr;
};

} // namespace vt
