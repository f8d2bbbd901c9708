#pragma once
// Every question, message, chooser, beep, sound and shell call goes through
// these interfaces, so that tests can script the answers and no test can hang
// on a modal window.
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace vt {

enum class Beep { Plain, Error, Info, Question };

// The answers of the Yes/OK/Cancel box, with the codes the program logs.
enum class YesOk { Yes = 6, Ok = 1, Cancel = 2 };
enum class YesNoCancel { Yes, No, Cancel };
enum class BoxIcon { Question, Warning };
// The two ways of a folder button: the folder chooser, or any file (or a
// typed name) inside the folder.
enum class FolderPick { Chooser = 1, AnyFile = 2 };

class Ui {
public:
    virtual ~Ui() = default;
    // Information box, title "Vestrada".
    virtual void inf(const QString &text) = 0;
    // Yes/No question, title "Vestrada"; true only for Yes.
    virtual bool vopr(const QString &text) = 0;
    // Yes/OK/Cancel (Escape and the close box give Cancel).
    virtual YesOk vprYesOK(const QString &text) = 0;
    // The same box without the question beep (the scripted fakes record it as vprYesOK).
    virtual YesOk vprYesOKNoBeep(const QString &text) { return vprYesOK(text); }
    // A box with its own title: information (OK only) or a stop-icon Yes/No.
    virtual void infTitled(const QString &title, const QString &text) = 0;
    // The error display: a stop-icon box with OK only.
    virtual void errorTitled(const QString &title, const QString &text) { infTitled(title, text); }
    virtual bool stopYesNo(const QString &title, const QString &text) = 0;
    // A titled Yes/No question; defaultNo makes No the default button.
    virtual bool askTitled(const QString &title, const QString &text, BoxIcon icon, bool defaultNo) = 0;
    // A titled Yes/No/Cancel question (Escape and the close box give Cancel).
    virtual YesNoCancel yesNoCancel(const QString &title, const QString &text, BoxIcon icon) = 0;
    // Input box; nullopt on Cancel.
    virtual std::optional<QString> input(const QString &title, const QString &prompt,
                                         const QString &value) = 0;
    // Folder browser; empty on Cancel.
    virtual QString chooseFolder(const QString &title, const QString &start) = 0;
    // Open-file dialog that need not name an existing file; empty on Cancel.
    virtual QString chooseAnyFile(const QString &title, const QString &filter,
                                  const QString &preset) = 0;
    // Open-file dialog for one or more existing files, starting in a folder; empty on Cancel.
    virtual QStringList chooseFiles(const QString &title, const QString &filter, const QString &start) = 0;
    // Open-file dialog for one existing file; preset: a proposed file or a
    // folder to start in. Empty on Cancel.
    virtual QString chooseExistingFile(const QString &title, const QString &filter, const QString &preset) = 0;
    virtual void beep(Beep kind = Beep::Plain) = 0;
};

// Plays one of the four sounds; the switch is checked by zv().
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void play(int n) = 0;
};

class Shell {
public:
    // The outcome of a request to the desktop, handed over exactly once: at
    // once, or later from the event loop when the desktop has answered.
    using Done = std::function<void(bool ok)>;
    virtual ~Shell() = default;
    // Open a file or folder with its associated program.
    virtual void open(const QString &path, Done done) = 0;
    // Show an item selected in a file-manager window; falls back to its folder.
    virtual void showItem(const QString &path, Done done) = 0;
    // Start a program directly, arguments as a list.
    virtual bool run(const QString &program, const QStringList &args) = 0;
    // The file manager's properties window of an item.
    virtual bool properties(const QString &path) = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

// What the log viewer offers beside the log: a button for the table rows the
// operation could not use (no text hit, or not found on the disk).
enum class LogRows { None, WithoutHit, NotFound };
struct LogOffer {
    LogRows rows = LogRows::None;
    int count = 0;    // rows without a hit, or not found
    int selected = 0; // rows the operation worked on
};

// How an operation shows where it stands without asking anything: the main
// window's caption, a status-bar panel, the table counters, the row to show
// and the log viewer. The default shows nothing (the headless modes); the
// main window shows them all.
class Feedback {
public:
    virtual ~Feedback() = default;
    virtual void caption(const QString &) {}
    virtual void panel(int, const QString &) {}
    // The table's counters (and the selected row's number) changed.
    virtual void countersChanged() {}
    // Scrolls the result table to a row.
    virtual void showRow(int) {}
    // The log viewer on the last operation: Yes or Ok when the question of
    // its rows button was answered so, else Cancel.
    virtual YesOk showLog(const LogOffer & = {}) { return YesOk::Cancel; }
    // The log viewer on the text of a list file.
    virtual void showListSource(const QString &) {}
};

Ui &ui();
SoundPlayer &soundPlayer();
Shell &shell();
const Clock &clock();
Feedback &feedback();
QDateTime now();

// Installs a service for the rest of the run (or a test); the caller keeps ownership.
void setUi(Ui *u);
void setSoundPlayer(SoundPlayer *s);
void setShell(Shell *s);
void setClock(const Clock *c);
// Returns the one installed before.
Feedback *setFeedback(Feedback *f);

// Sound switch and the sound command: nothing plays while switched off.
bool soundOn();
void setSoundOn(bool on);
void zv(int n);

} // namespace vt
