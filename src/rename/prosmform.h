#pragma once
// The text view of rows: files and folders in two memos, as full paths or
// names, with the list of their parent folders; and the entry points that
// open it or the name splitter.
#include "rename/core/rowview.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QRadioButton;
class QToolButton;
class QWidget;

namespace vt {

class TableModel;

class TProsmForm : public QDialog {
    Q_OBJECT
public:
    TProsmForm(ViewLists lists, const QString &titleTail, QWidget *parent = nullptr);

    const ViewLists &lists() const { return m_lists; }
    bool fullPath() const;
    void redraw();
    void sbParDirClick();
    void labNameFrmSendClick();
    void wrapClick();

    QPlainTextEdit *memPrFiles, *memPrDirs;
    QLabel *labFiles, *labDirs, *labNameFrmSend;
    QRadioButton *rbFull, *rbName; // rgPrVid
    QWidget *rgPrVid;
    QCheckBox *cbPrFileExts, *cbPrWWrap;
    QToolButton *sbParDir, *sbClose;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *e) override;

private:
    void showFiles();
    void showDirs();
    void showOptions(bool on);

    ViewLists m_lists;
    bool m_parents = false;
};

// Shows the view modally: mode 0 the selected rows of the table, otherwise
// the prepared paths (ViewMode); tail ends the caption.
void Prosmotr(const TableModel &table, const QString &titleTail, QWidget *parent);
void Prosmotr(ViewMode mode, const QStringList &paths, const QString &titleTail, QWidget *parent);

// The view of the selected rows, or (splitter) the name splitter holding
// their paths.
void ProsmAndNameFrm(bool splitter, const TableModel &table, QWidget *parent);

} // namespace vt
