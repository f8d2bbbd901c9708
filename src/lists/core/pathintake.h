#pragma once
// Paths from outside the search: the command line, drops from the file
// manager and the "Добавить" dialogs. They all end in AddParams, which hands
// each path to the row-append operation with the filters opened wide.
#include "lists/core/listread.h"

#include <QStringList>
#include <functional>

namespace vt {

class AppWindow;
class CurrentLog;
class ListController;
class OperationContext;
class TableModel;

enum class AddMode { ReadList = 0, CommandLine = 1, Append = 2 };

struct AddOutcome {
    ListKind list = ListKind::None; // the kind of a list that was read
    bool folderField = false;       // the one parameter went into the folder field
    int files = 0, folders = 0;     // rows added
};

class PathIntake {
public:
    // window: the search folder field that takes the one command-line folder,
    // and the conversion of "Папка" to full paths; null without one.
    PathIntake(ListController &lists, TableModel &table, OperationContext &ops, CurrentLog &log,
               AppWindow *window);

    // May paths be added now; asks or tells why not (and may renumber or
    // convert, after which the user repeats the command).
    bool ProvAdd();
    // mode 0 reads paths[0] as a list; 1: the command-line parameters; 2 adds
    // the paths to the table as it is.
    AddOutcome AddParams(AddMode mode, const QStringList &paths);
    // "Добавлено файлов: N, папок: M" as a message and a log entry.
    void reportAdded(const AddOutcome &o);

    // One typed or chosen path: checked against the disk, then the question.
    void addOnePath(const QString &path);
    // Several files chosen in the dialog.
    void addFiles(const QStringList &files);
    // Paths dropped from the file manager; view shows them instead (the OK
    // answer). Returns false when the drop was refused.
    bool addDropped(QStringList paths, const std::function<void(const QStringList &)> &view);

private:
    ListController &m_lists;
    TableModel &m_table;
    OperationContext &m_ops;
    CurrentLog &m_log;
    AppWindow *m_window;
};

// The command-line parameters as full paths: a relative one is taken against
// folder (the current folder at start), "." and ".." resolved; an empty one
// stays empty.
QStringList absoluteParams(const QStringList &params, const QString &folder);

// Case-insensitive text order of dropped paths.
void sortPaths(QStringList &paths);

} // namespace vt
