#pragma once
// The folder-creation window: a list of names becomes folders in one chosen
// folder. Made once at start; its texts persist between openings.
#include "base/services.h"
#include "fileops/core/dircreate.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace vt {

class ClickLabel;

class AppContext;

class TDirCreateFrm : public QDialog {
    Q_OBJECT
public:
    // The favourite folders, the folder chooser and the focused row's folder
    // come from the main window through ctx.
    explicit TDirCreateFrm(AppContext &ctx, QWidget *parent = nullptr);

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
    // The focused table row's folder (empty when none).
    QString tableFolder() const;

    AppContext &m_ctx;
    DirListState m_state;
};

} // namespace vt
