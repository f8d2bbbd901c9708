#pragma once
// The plain list window of the overwrite review: the missing sub-folders
// (with a button that creates them), the files copied without collision, or
// a printable view of review rows.
#include <QDialog>
#include <QStringList>

class QPlainTextEdit;
class QPushButton;

namespace vt {

enum class InfKind { NewDirs = 0, OtherFiles = 1, RowsView = 2 };

class TShowRewrInfFrm : public QDialog {
    Q_OBJECT
public:
    // text: the target folder (NewDirs) or the caption (RowsView).
    TShowRewrInfFrm(InfKind kind, const QString &text, const QStringList &list, QWidget *parent = nullptr);

    void sbMkDirClick();

    QPlainTextEdit *memInf;
    QPushButton *sbMkDir, *sbClose;

protected:
    void mouseDoubleClickEvent(QMouseEvent *e) override;

private:
    QString m_base;
};

// Shows the window modally.
void ShowInf(InfKind kind, const QString &text, const QStringList &list, QWidget *parent = nullptr);

} // namespace vt
