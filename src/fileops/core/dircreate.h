#pragma once
// Folders from typed text: the list of names of the folder-creation window
// (format, check, create, the folder report) and the check/create of one
// typed path. The window keeps only widgets; its state lives here.
#include <QString>
#include <QStringList>

namespace vt {

constexpr int kDirListMaxLines = 1000;
constexpr int kDirListMaxNames = 100;

// CleanName on every line, the empty ones dropped, sorted without regard to
// case, and repeats (ignoring case) removed.
QStringList formatNames(const QStringList &lines);

// What the folder-creation window shows; it persists for the run.
struct DirListState {
    QString editor;                // the names, one a line
    QString folder;                // ends with '/' or is empty
    QStringList result;            // the result memo, one entry a line
    QString labDirRes = QStringLiteral("Результат:");
    QString labFormatInf;
    QString lastCreated;           // the folder in which folders were last created
};

enum class DirListOutcome { Refused, FocusEditor, Done };
// What is done with the names: cleaned and sorted in the editor, checked
// against the chosen folder, or created there.
enum class DirListAction { Format = 0, Check = 1, Create = 2 };

DirListOutcome runDirList(DirListState &s, DirListAction action);
// The report of the chosen folder's sub-folders and files.
void reportFolderContents(DirListState &s);
// The help text of the window.
QString dirCreateHelpText();

// The typed path, split for the check: state 2 an existing folder, 1 an
// existing file, 0 neither (then comps start with the root, "/" or "C:/",
// and the missing levels carry "->"); -1 when there is nothing to do.
struct PathPlan {
    int state = -1;
    QString path;       // normalised
    QStringList comps;
    QString existing;   // the deepest existing folder (state 0)
    int count = 0;      // levels to create
    QString error;      // the message instead of a plan
};
PathPlan planPath(const QString &typed);
// The levels marked "->" created in turn; stops at the first failure.
struct PathCreated {
    QStringList comps;
    QString deepest;
    int created = 0;
};
PathCreated createPath(const PathPlan &plan);
// Ctrl+H: asks for a path, checks it and creates what is missing.
void checkOrCreateTypedPath();

} // namespace vt
