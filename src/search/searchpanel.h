#pragma once
// The top panel of the main window (`panTop`): search parameters in mask mode,
// the list controls in list mode, their presets, toggles and pickers.
#include "base/services.h"
#include "search/core/searchparams.h"

#include <QPoint>
#include <QStringList>
#include <QWidget>
#include <functional>

class QAction;
class QCheckBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMouseEvent;
class QRadioButton;
class QSpinBox;
class QTimeEdit;
class QToolButton;

namespace vt {

class CommandTable;

// True when a press on a surface came from a control with a menu of its own
// (it ignores the press, so the press travels on to the surface).
bool onControlWithMenu(const QWidget *surface, const QMouseEvent *e);
class TableModel;

class SearchPanel : public QWidget {
    Q_OBJECT
public:
    // table: the result table whose single selected row gives dates and sizes.
    explicit SearchPanel(const TableModel *table = nullptr, QWidget *parent = nullptr);
    ~SearchPanel() override;

    // --- controls (named as the main window's layout names them) ---
    QLineEdit *eDirPath = nullptr;
    QToolButton *sbSelectDir = nullptr;
    QToolButton *sbIzbDir = nullptr;
    QRadioButton *rbShab = nullptr;
    QRadioButton *rbSpis = nullptr;
    QCheckBox *cbHideH = nullptr;
    QCheckBox *cbHideS = nullptr;
    QCheckBox *cbHideR = nullptr;
    QLabel *labMinDate = nullptr;
    QDateEdit *dtMinDat = nullptr;
    QTimeEdit *dtMinTime = nullptr;
    QLabel *labMaxDate = nullptr;
    QDateEdit *dtMaxDate = nullptr;
    QTimeEdit *dtMaxTime = nullptr;
    QLabel *labLimil = nullptr;
    QSpinBox *seLimit = nullptr;
    QLabel *labSubDir = nullptr;
    QSpinBox *seMaxSubDir = nullptr;
    QLabel *labRazmerOT = nullptr;
    QSpinBox *seRazmerOT = nullptr;
    QLabel *labRazmerDO = nullptr;
    QSpinBox *seRazmerDO = nullptr;
    QLabel *labShab = nullptr;
    QLineEdit *eShablon = nullptr;
    QCheckBox *cbFiles = nullptr;
    QCheckBox *cbExts = nullptr;
    QLineEdit *eExt = nullptr;
    QToolButton *sbExt = nullptr;
    QToolButton *sbFind = nullptr;
    QToolButton *sbSetDTmin = nullptr;
    QToolButton *sbSetDTmax = nullptr;
    QToolButton *sbPreobr = nullptr;
    QGroupBox *gbModeSpis = nullptr;
    QRadioButton *rbMdVTL = nullptr;
    QRadioButton *rbMdVTX = nullptr;
    QRadioButton *rbMdVTS = nullptr;
    QGroupBox *gbAllSpis = nullptr;   // the open list's controls
    QLabel *labAllSpis = nullptr;     // its caption: "Открыт список VTL: name.vtl"
    QWidget *wAllSpisTools = nullptr; // more of its controls, beside the caption
    QToolButton *sbAddList = nullptr;
    QToolButton *sbProsm = nullptr;

    // --- popup menus and their numbered items ---
    QMenu *popMinDate = nullptr;
    QMenu *popMaxDate = nullptr;
    QMenu *popShablon = nullptr;
    QMenu *PopDir = nullptr;
    QAction *miShabOld[5] = {};
    QAction *miShabOldClr = nullptr;
    QAction *miShabFilStr = nullptr;
    QAction *miOldFdir[20] = {};

    // --- what the main window reads and sets ---
    SearchParams params() const;
    void setParams(const SearchParams &p);
    // Commits typed spin text, runs the start checks and writes back what they
    // corrected (date below the earliest, mask length, chosen folder).
    bool validate(ValidSearch &out);

    QString folderText() const;
    void setFolderText(const QString &folder);
    bool listMode() const;
    void setListMode(bool list);
    // The list group shows in list mode only while a list file is open.
    void setListOpen(bool open);
    void setBusy(bool busy);
    void setIsBusy(std::function<bool()> isBusy);

    void SetDirPath(const QString &startFolder);
    void initAtStart();
    // The search's commands (F12 and its variants, the search menu items).
    void registerCommands(CommandTable &t, std::function<void()> startFind,
                          std::function<void()> unreadableFind);
    void presetLast10Minutes();
    void presetMaximum();
    void setAllMax();

    void addRecentMask(const QString &mask);
    QStringList recentMasks() const { return m_recentMasks; }
    void setRecentFolders(const QStringList &folders);

    QStringList extensions() const { return m_exts; }
    void setExtensions(const QStringList &exts);
    // The extension picker (sbExt, and a search in extension mode without extensions).
    void chooseExtensions();

    // --- commands, also reachable from buttons and menus ---
    // Way 1 folder browser (startEmpty: without the current folder), way 2 any-file dialog.
    bool GetDirOnly(FolderPick way, QString &folder, bool startEmpty = false);
    void sbSelectDirClick(bool shift);
    void sbIzbDirClick(bool shift);
    void setMaskAtEnter(bool shift);
    void labMinDateClick();
    void labMaxDateClick();
    void setMinPreset(int tag);
    void setMaxPreset(int tag);
    void dateFromTable(int tag);
    void labLimilClick();
    void labSubDirClick();
    void sizeReset(bool maxField);
    void openSizePicker(bool maxField);
    void rgTypeClick();

signals:
    void findClicked();
    void recentFolderChosen(int index);
    void unreadableSearchRequested();
    void makeStartDirRequested();
    void openInFileManagerRequested();
    void favouriteFolderRequested(bool shift);
    void favouriteTemplatesRequested();
    void preobrClicked();
    void addListClicked();
    void prosmClicked();
    void restoreBoundsRequested();
    void mainMenuRequested(QPoint globalPos);
    void modeChanged(bool listMode);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    bool busy() const;
    void buildControls();
    void buildMenus();
    void setMinBound(double date, double time);
    void setMaxBound(double date, double time);
    void rebuildRecentMasks();
    void refreshCues();
    void refreshFilesCaption();
    void surfacePress(QMouseEvent *event, bool menuToo);

    std::function<bool()> m_isBusy;
    const TableModel *m_table;
    QStringList m_recentMasks;
    QStringList m_exts;
    bool m_listOpen = false;
    bool m_busyFlag = false;
    bool m_lastListMode = false;
    bool m_pressed = false;
    QPoint m_pressPos;
};

} // namespace vt
