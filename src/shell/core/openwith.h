#pragma once
// What the open-with window does without widgets: the program list
// (Options/strexec), the recent parameters of the run, the text handed to the
// window for the selected rows, and running the chosen program.
#include "table/core/tablemodel.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace vt {

// The user's programs, in list order.
class ProgramList {
public:
    // Reads Options/strexec: trimmed lines naming an existing program file,
    // each once. Lines dropped here stay in the file until the next save.
    void load();
    // Writes the list whole (Options/ made when missing) and plays sound 2.
    bool save() const;
    // The list rule: a program file not listed yet.
    bool accepts(const QString &path) const;
    bool contains(const QString &path) const;
    // False when the rule refuses the path.
    bool add(const QString &path);
    // Removes the entries at these indexes.
    void remove(QList<int> indexes);
    const QStringList &paths() const { return m_paths; }
    static QString storePath();

private:
    QStringList m_paths;
};

// At most five parameters, newest first, for the whole run.
class RecentParams {
public:
    static constexpr int kKept = 5;
    void add(const QString &value);
    void clear() { m_list.clear(); }
    const QStringList &list() const { return m_list; }

private:
    QStringList m_list;
};
RecentParams &recentParams();

// The text of the open-with window for some paths: each quoted, blank
// separated, never longer than 1940 characters (later paths are left out).
struct SendText {
    QStringList paths; // the paths taken, in table order
    QString text;      // what the window shows
};
constexpr int kSendTextMax = 1940;
// The actions window sends at most this many rows.
constexpr int kSendRowsMax = 20;
SendText sendText(const QStringList &paths);
SendText sendText(const TableModel &table, const Selection &rows);
QString quotedPaths(const QStringList &paths);

// Running a program of the list: 0 send the paths, 1 run it, 2 run it with
// the parameter, 3 open its folder.
enum class RunMode { Send = 0, Run = 1, RunParam = 2, Folder = 3 };
struct RunRequest {
    RunMode mode = RunMode::Send;
    QString program;
    QStringList files;      // the paths of the window
    bool paramOn = false;   // "Добавить параметр" ticked
    QString param;          // its text
};
enum class RunResult {
    Refused,   // beeped, told, or cancelled: the window stays
    Started,   // handed to pusk, which tells a failure itself
};
// The arguments a parameter text stands for: split at blanks, quotes group,
// nothing is ever given to a shell.
QStringList paramArgs(const QString &param);
// Asks and runs as the window's buttons do; a used parameter joins the
// recent parameters.
RunResult runProgram(const RunRequest &r);
// The window closes "done" after sending, whatever the outcome.
inline bool closesDone(const RunRequest &r, RunResult res)
{
    return r.mode == RunMode::Send && res != RunResult::Refused;
}

// The question of the parameter order (Yes: after the paths, OK: before).
QString paramOrderQuestion();

// The file an icon picture goes to: folder + "yyyy-MM-dd_hh-mm-ss.bmp".
QString bmpFileName(const QString &folder, const QDateTime &t);

} // namespace vt
