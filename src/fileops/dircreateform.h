#pragma once
// The folder-creation window: a list of names becomes folders in one chosen
// folder. Made once at start; its texts persist between openings.
#include "fileops/core/dircreate.h"

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace vt {

class ClickLabel;

struct DirCreateHooks {
    // The favourite-folders window: the chosen folder, empty when none.
    std::function<QString(const QString &current, const QString &tableFolder)> openIzb;
    // The focused table row's folder (empty when none).
    std::function<QString()> tableFolder;
    // The folder chooser (way 1 or 2); false on cancel.
    std::function<bool(int way, QString &folder)> chooseDir;
};

class TDirCreateFrm : public QDialog {
    Q_OBJECT
public:
    explicit TDirCreateFrm(DirCreateHooks hooks, QWidget *parent = nullptr);

    DirListState &state() { return m_state; }
    // Shows the window (not modal) with the kept texts.
    void showWindow();

    void sbFormatClick(int mode);
    void sbDirInfClick();
    void sbIzbDirClick(bool shift, bool ctrl);
    void sbSelectDirClick(bool shift);
    void labDirForDirsClick();

    QPlainTextEdit *memDirList, *memDirRes;
    QLineEdit *eDirForDirs;
    QLabel *labDirRes, *labFormatInf;
    QPushButton *sbFormat, *sbProv, *sbCreateDir, *sbDirInf, *sbIzbDir, *sbSelectDir, *sbHelp, *sbClose;
    ClickLabel *labLog, *labDirForDirs;

private:
    void take();  // widgets -> state
    void put();   // state -> widgets
    void setFolder(const QString &folder);

    DirCreateHooks m_hooks;
    DirListState m_state;
};

} // namespace vt
