#pragma once
// The main window: search panel on top, result table, the command bar and the
// status bar; settings at start and close, key dispatch, window placement.
#include "base/appcontext.h"
#include "base/commands.h"
#include "base/operation.h"
#include "base/services.h"
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
class ProgressWindow;

// It shows the feedback of every operation while it lives, owns the context
// of the subsystems and is the window they see (AppWindow).
class TFileForm : public QMainWindow, public Feedback, public AppWindow {
    Q_OBJECT
public:
    using ProvMode = vt::ProvMode;
    using RowPath = vt::RowPath;

    explicit TFileForm(QWidget *parent = nullptr);
    ~TFileForm() override;

    // The about window lives for the whole run; the program entry hands it over.
    void setHelpForm(THelpForm *help) { m_help = help; }
    THelpForm *helpForm() const { return m_help; }

    // The context handed to every subsystem.
    AppContext &context() { return m_ctx; }
    // The context of every long operation; "Стоп" shows its busy state.
    OperationContext &operation() { return m_ctx.ops(); }
    bool busy() const { return m_ctx.busy(); }
    // Every command of the window, for keys, buttons and menus.
    CommandTable &commands() { return m_ctx.commands(); }

    // AppWindow.
    QWidget *widget() override { return this; }
    void showCounters() override;
    void recount() override;
    int currentRow() const override;
    RowPath provList(ProvMode mode) override;
    const QStringList &parameters() const override { return m_params; }
    QString folderField() const override;
    void setFolderField(const QString &folder) override;
    void showStartFolder(const QString &folder) override;
    QLineEdit *templateField() override;
    QStringList extensions() const override;
    bool chooseFolder(FolderPick way, QString &folder) override;
    void showListMode(ListKind kind) override;
    ListKind listModeKind() const override;
    void startSearch() override { StartFind(); }
    void setVtsLook(bool on) override { SetVtsIs(on); }
    bool ordLinksShown() const override;
    void applyOrdPageColumns() override { SetuOrdPage(); }
    void reportListRead(int stop, int errors) override;
    int askSaveTextList(const QString &path, bool incomplete, bool *relative) override;
    void convertFolders(bool silent) override;
    bool quickRename(QString &path, QByteArray *native = nullptr) override;
    QString chooseFavouriteFolder(const QString &current, const QString &tableFolder, QWidget *parent) override;
    bool openWith(bool single, const QStringList &paths, const QString &page, QWidget *parent) override;
    void viewProperties(const QString &path, bool folder, QWidget *parent) override;
    bool deleteRow(bool permanent, int row) override;
    bool saveVts() override;
    bool sendSelected() override;
    bool openTextSearch() override;
    bool renameByRule(const std::function<void()> &beforeShow) override;
    bool chooseQuickRename(QWidget *parent, int *index, QString *text) override;
    void runQuickRename(int index, const QString &text) override;

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
    // The open list (its commands: lists/listcommandlist.cpp).
    ListController &lists() { return *m_lists; }
    ListGroup *listGroup() const { return m_listGroup; }
    RecentFolders &recentFolders() { return m_recent; }
    // The look of a table holding a VTS snapshot.
    void SetVtsIs(bool on);
    // The Ord and Page columns after the setting OPHS.
    void SetuOrdPage();

    // Paths from outside (mainform_intake.cpp). The command-line parameters
    // (without the program) are read at the first activation.
    void setParameters(const QStringList &params) { m_params = params; }
    PathIntake &intake() { return *m_intake; }

    // The text search window lives for the whole run.
    TParserForm *textSearchForm() const { return m_parser; }

    // The quick rename of one file (the selected row, or the file at path,
    // which becomes the new path). One function for every window that
    // offers "Переименовать".
    bool QRename(RenameTarget target, QString &path, QByteArray *native = nullptr);

    // Runs once, at the first activation.
    void FormActivate();
    bool activated() const { return m_activated; }

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
    // The window's own commands, then each subsystem's (mainform_commands.cpp).
    void registerCommands();
    void buildLists();
    void buildIntake();
    void startWithParameters();
    void buildTextSearch();
    // The search start folder of the favourite-folder window, the template button.
    void buildFavourites();
    // The stored Ord/Page mode, once the columns have their start widths.
    void applyOrdPageAtStart();
    // F11 and its variants: whole work area or standard, minimum height, bottom.
    void placeByF11(bool shift, bool ctrl);
    int startWidth();
    void installKeyPreview();
    void showSoundGlyph();
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

    // The table model, the operation context and the command table; m_ops
    // and m_commands are its parts under their old names.
    AppContext m_ctx;
    OperationContext &m_ops;
    CommandTable &m_commands;
    Feedback *m_prevFeedback = nullptr;
    ProgressWindow *m_progress = nullptr;
    THelpForm *m_help = nullptr;
    RecentFolders m_recent;
    std::unique_ptr<SearchController> m_search;
    std::unique_ptr<ListController> m_lists;
    ListGroup *m_listGroup = nullptr;
    std::unique_ptr<PathIntake> m_intake;
    TParserForm *m_parser = nullptr;
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
