#pragma once
// The main window: search panel on top, result table, the command bar and the
// status bar; settings at start and close, key dispatch, window placement.
#include "base/commands.h"
#include "base/operation.h"
#include "base/services.h"
#include "fileops/core/deletefiles.h"
#include "lists/core/listcontroller.h"
#include "lists/core/pathintake.h"
#include "rename/core/quickren.h"
#include "search/core/recentfolders.h"
#include "search/core/searchcontroller.h"

#include <QMainWindow>
#include <QRect>
#include <functional>
#include <memory>

class QFrame;
class QLabel;
class QMenu;
class QToolButton;
class QKeyEvent;
class QDragEnterEvent;
class QDropEvent;

namespace vt {

class ListGroup;
class SearchPanel;
class ResultTable;
class StatusPanels;
class TableCommands;
class THelpForm;
class TParserForm;
class TDirCreateFrm;
class ProgressWindow;

// It shows the feedback of every operation while it lives.
class TFileForm : public QMainWindow, public Feedback {
    Q_OBJECT
public:
    explicit TFileForm(QWidget *parent = nullptr);
    ~TFileForm() override;

    // The about window lives for the whole run; the program entry hands it over.
    void setHelpForm(THelpForm *help) { m_help = help; }
    THelpForm *helpForm() const { return m_help; }

    // The context of every long operation; "Стоп" shows its busy state.
    OperationContext &operation() { return m_ops; }
    bool busy() const { return m_ops.busy(); }
    // Every command of the window, for keys, buttons and menus.
    CommandTable &commands() { return m_commands; }

    // Feedback: the caption, the status bar, the counters, the table's row
    // and the log viewer of this window.
    void caption(const QString &text) override;
    void panel(int index, const QString &text) override;
    void countersChanged() override;
    void showRow(int row) override;
    YesOk showLog(const LogOffer &offer = {}) override;
    void showListSource(const QString &listPath) override;
    ProgressWindow *progressWindow() const { return m_progress; }

    // Shift and Ctrl at the moment of a click.
    bool GetSh() const;
    bool GetCt() const;

    // One dispatcher per function key: keys and buttons end here, and each
    // looks its variant up in the command table.
    void SetF1(bool shift, bool ctrl);
    void SetF2(bool shift, bool ctrl);
    void SetF3(bool shift, bool ctrl);
    void SetF4(bool shift, bool ctrl);
    void SetF5(bool shift, bool ctrl);
    void SetF6(bool shift, bool ctrl);
    void SetF7(bool shift, bool ctrl);
    void SetF8(bool shift, bool ctrl);
    void SetF9(bool shift, bool ctrl);
    void SetF11(bool shift, bool ctrl);
    void SetF12(bool shift, bool ctrl);
    void FormKeyDown(QKeyEvent *e);
    // Ctrl+letter and Ctrl+digit commands belong to the window alone: an
    // editor with the focus must not act on them as well (Ctrl+K, Ctrl+D and
    // Ctrl+H cut text in a line edit on X11).
    bool ownsKey(const QKeyEvent *e) const;

    // The search (its own module).
    void StartFind(const QString &path = QString());
    void sbStopClick();
    void miFndUnicClick();
    void onRecentFolderChosen(int index);
    SearchController &search();
    // The open list and the list commands (mainform_lists.cpp).
    ListController &lists() { return *m_lists; }
    ListGroup *listGroup() const { return m_listGroup; }
    // Ctrl+1/2/3: list mode with that type, then the open flow.
    void OpenSpisAll(ListKind kind);
    // Ctrl+F6 and Shift+F6.
    void saveToVtlAsk();
    // F6: the actions window (mainform_fileops.cpp).
    void ShowAct();
    void appendToVtl();
    void AppSpisRun(const QString &path);
    void sbPreobrClick();
    // Ctrl+F1: every row against the disk.
    void ProvCurSpis();
    // Selects the rows that are new or changed against a chosen snapshot; the
    // three groups go to the log viewer.
    void diffWithVts();
    void preobr(bool silent);
    RecentFolders &recentFolders() { return m_recent; }
    // Puts the window into list mode with the type radio of this kind.
    void showListMode(ListKind kind);
    // VTS snapshots: Ctrl+S saves the table as a new one; the look of a table holding one.
    // True when the table was saved as a new VTS list.
    bool SaveVTSBefore();
    void SetVtsIs(bool on);
    // Ord and Page (Ctrl+O, Ctrl+P) of an open VTL or VTS list, and the column modes.
    int provOrdPage();
    void labOrdClick();
    void labPageClick();
    void SetuOrdPage();
    void miOrdPageHideClick(int mode);
    void OrdPage1Click();

    // Paths from outside (mainform_intake.cpp). The command-line parameters
    // (without the program) are read at the first activation.
    void setParameters(const QStringList &params) { m_params = params; }
    const QStringList &parameters() const { return m_params; }
    PathIntake &intake() { return *m_intake; }
    // "Добавить": Ctrl types a path, Shift chooses a folder, plain chooses files.
    void AddOne(bool shift, bool ctrl);
    void miClpParamCmdClick();
    void miClpParamSpisClick();
    void miProsmParamClick();

    // The text search in the selected files (1 to 1000 of them); true when
    // its follow-up changed the rows. The window lives for the whole run.
    bool openTextSearch();
    TParserForm *textSearchForm() const { return m_parser; }

    // The quick rename of one file (flag 0: the selected row; 1: the file at
    // path, which becomes the new path). One function for every window that
    // offers "Переименовать" (mainform_quickren.cpp).
    bool QRename(int flag, QString &path, QByteArray *native = nullptr);
    void miRenDirRuleClick();

    // Runs once, at the first activation.
    void FormActivate();
    bool activated() const { return m_activated; }

    // The single selected row's folder (Folder) or its full path (Any: file
    // or folder, File: a file); empty after telling the user why not.
    enum class ProvMode { Folder = 0, Any = 1, File = 2 };
    struct RowPath {
        QByteArray native; // the bytes to open
        QString text;      // for messages and fields
        bool isEmpty() const { return native.isEmpty(); }
    };
    RowPath provList(ProvMode mode);

    // F8, F9 and the explorer button (mainform_shell.cpp).
    void runRow(const QString &path);
    void openWithRow(const QString &path);
    // The open-with window over parent, with the favourite parameters.
    bool openWith(bool single, const QStringList &paths, const QString &page, QWidget *parent);
    // The properties window of a rename preview's row, only to look at.
    void viewProperties(const QString &path, bool folder, QWidget *parent);
    void showProperties();
    // The actions window's "Отправить...": true when the open-with window closed done.
    bool sendSelected();
    // The Page cell of the table's current row.
    QString currentPage() const;

    void miSetStartDirClick();
    void miOpenDirExpClick();
    void miExpOwnDirClick();
    void Vestrada1Click();

    // Window placement.
    QRect standardBounds() const { return m_stdBounds; }
    void restoreStandardBounds();
    void sbSzClick(bool shift, bool ctrl);

    // Command ids of the main popup menu and of the program menu (sbHelp).
    static QStringList mainMenuLayout();
    static QStringList programMenuLayout();

    // Null until FormCreate builds them: the event filter already runs while
    // the first children are added.
    SearchPanel *panTop = nullptr;
    ResultTable *ListView = nullptr;
    TableCommands *tableCommands = nullptr;
    StatusPanels *sbar = nullptr;
    QFrame *panBot = nullptr;
    QToolButton *sbHelp = nullptr, *sbZvv = nullptr, *sbFindTab = nullptr, *sbFindText = nullptr,
                *sbClearSel = nullptr, *sbSelall = nullptr, *sbSave = nullptr;
    QLabel *stexNumb = nullptr;
    QToolButton *sbPuskOpenWith = nullptr, *sbSvva = nullptr, *sbExpl = nullptr;
    QLabel *labOrd = nullptr, *labPage = nullptr;
    QToolButton *sbRefrTab = nullptr, *sbHome = nullptr, *sbEnd = nullptr, *sbStop = nullptr, *sbSz = nullptr;
    QMenu *popExp = nullptr, *popStart = nullptr, *popSbSz = nullptr;

protected:
    bool event(QEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    void dragEnterEvent(QDragEnterEvent *e) override;
    void dropEvent(QDropEvent *e) override;

private:
    // Building the window (mainform_layout.cpp).
    void FormCreate();
    void buildBottomPanel();
    void buildMenus();
    void connectParts();
    // The window's own commands (mainform_commands.cpp).
    void registerCommands();
    void buildLists();
    void registerListCommands();
    void buildIntake();
    void registerIntakeCommands();
    void startWithParameters();
    void buildTextSearch();
    // The favourite choosers and their commands (mainform_favourites.cpp).
    void buildFavourites();
    void registerFileopsCommands();
    void registerQuickRenCommands();
    // Ctrl+Z: the newest batch of the journal taken back (mainform_undo.cpp).
    void registerUndoCommands();
    // The quick renames on this window's table, with the log viewer.
    QuickRen quickRen();
    // The chooser of the actions window: what runs once both windows closed.
    void runDopRenChoice(int index, const QString &text);
    void registerShellCommands();
    // The list-mode branch of the search command.
    void openListFlow();
    // Text lists (mainform_textlists.cpp): the open dialog or a given list,
    // the quick save into TEMP, and their commands.
    void ReadVtx(const QString &path);
    void QuickM3UVtx(bool vtx);
    void registerTextListCommands();
    QString m_vtxDialogStart; // the next open dialog starts here (Texts)
    // The stored Ord/Page mode, once the columns have their start widths.
    void applyOrdPageAtStart();
    // F11 and its variants: whole work area or standard, minimum height, bottom.
    void placeByF11(bool shift, bool ctrl);
    int startWidth();
    void installKeyPreview();
    void showSoundGlyph();
    void showCounters();
    void popupMainMenu(const QPoint &globalPos);
    // Puts the window's outer frame at r, in normal state.
    void placeFrame(const QRect &r);
    QRect workArea() const;
    // The unsaved-list check of an open list; asks nothing while no list is open.
    bool listCloseCheck(bool *asked);
    // Hook for what the first activation does with lists and command-line
    // parameters; empty until those readers exist.
    void afterFirstActivation();

    // Recent start folders into the folder menu (the first 20).
    void showRecentFolders();

    OperationContext m_ops;
    CommandTable m_commands;
    Feedback *m_prevFeedback = nullptr;
    ProgressWindow *m_progress = nullptr;
    THelpForm *m_help = nullptr;
    RecentFolders m_recent;
    std::unique_ptr<SearchController> m_search;
    std::unique_ptr<ListController> m_lists;
    ListGroup *m_listGroup = nullptr;
    std::unique_ptr<PathIntake> m_intake;
    TParserForm *m_parser = nullptr;
    TDirCreateFrm *m_dirCreate = nullptr;
    // The deletions on this window's table and open list.
    FileDeleter deleter();
    QStringList m_params;
    bool m_unreadable = false;
    bool m_activated = false;
    QRect m_stdBounds;
    // Set once the window manager's frame is known; until then the standard
    // bounds may lack it.
    bool m_stdFramed = false;
    // Left press on a bare surface: the window moves once the mouse does.
    bool m_pressed = false;
    QPoint m_pressPos;
};

} // namespace vt
