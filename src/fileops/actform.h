#pragma once
// The actions window: the hub of batch work on the selected rows (lists,
// sending, copy, move, text search, renames, delete) with the target folder
// and its recent-folders menu.
#include "fileops/core/copymove.h"

#include <QDialog>
#include <utility>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;

namespace vt {

class ClickLabel;
class ListController;
class OperationContext;
class TableModel;

// The operations of other parts the window starts; an empty one beeps.
struct ActHooks {
    std::function<void()> saveVtl;   // as Ctrl+F6
    std::function<void()> appendVtl; // as Shift+F6
    // Text list: quote, alias, alias used, temp file, format 0 TXT 1 VTX 2 M3U; false on cancel.
    std::function<bool(const QString &quote, const QString &alias, bool aliasUsed, bool temp, int format)> saveText;
    std::function<bool()> saveVts;
    std::function<void()> openWith;
    std::function<bool(const QString &caption)> textSearch;
    std::function<void()> rename;
    std::function<bool()> dopRen;
    // "Удалить" (permanent with Shift); true when something was deleted and
    // the window closes. The hook may hide the window while it works.
    std::function<bool(bool permanent)> deleteFiles;
    // Favourite folders: the chosen folder, empty when none.
    std::function<QString(const QString &current, const QString &tableFolder)> openIzb;
};

enum class ActResult { Closed, Marks, DopRen };

class TActfrm : public QDialog {
    Q_OBJECT
public:
    TActfrm(TableModel &table, OperationContext &ops, CopyMoveHooks copyHooks, ActHooks hooks,
            QWidget *parent = nullptr);

    void setLists(ListController *lists) { m_mover.setLists(lists); }
    // The row with the focus in the result table (-1 for none).
    void setFocusedRow(int row) { m_focusedRow = row; }
    ActResult actResult() const { return m_result; }
    // True once after a delete that hid the window and deleted nothing: exec again.
    bool takeReopen() { return std::exchange(m_reopen, false); }
    CopyMover &mover() { return m_mover; }

    void CopyMove(Transfer transfer, CopyMode mode);
    void sbCopyFilClick(bool shift);
    void sbIzbDirClick(bool shift);
    void miCopyHelpClick();
    void LoadOldCM();
    void miOldCMClick(int n);
    void miProvOldCMClick();
    void popCopyPopup();
    static QString copyHelpText();

    QLabel *labInf;
    QPushButton *sbSaveSpis, *sbAddSpis, *sbSaveAsTxt, *sbGenAls, *sbSaveVTS, *sbOpenWith;
    QRadioButton *rbSaveTXT, *rbSaveVTX, *rbSaveM3U, *rbSaveCSV;
    QCheckBox *cbKav, *cbAls, *cbTempFile;
    QLineEdit *eAls, *eDirCopyMove;
    QGroupBox *gbFil;
    QPushButton *sbIzbDir, *sbCopyFil, *sbMoveFil, *sbFndTxtFil, *sbRenFil, *sbDelFiles, *sbMet, *sbClose;
    ClickLabel *labDopRen;
    QMenu *popOldCM, *popCopy;
    QList<QAction *> miOldCM; // miOldCM0 .. miOldCM19
    QAction *miProvOldCMLine, *miProvOldCM;
    QList<QAction *> miCopyModes; // miCopyAdd, miCopyReWr, miCopyReserv, miCopyReserProvDir

private:
    void setTarget(const QString &folder);
    void fillOldCM(const QStringList &folders);
    void textFormatChanged();
    void run(const std::function<void()> &hook);

    TableModel &m_table;
    OperationContext &m_ops;
    ActHooks m_hooks;
    CopyMover m_mover;
    ActResult m_result = ActResult::Closed;
    int m_focusedRow = -1;
    bool m_filesEnabled = false;
    bool m_oldLoaded = false;
    bool m_reopen = false;
};

} // namespace vt
