#pragma once
// The overwrite review: one row per selected file whose destination exists,
// ticked for the files to overwrite. The window only edits the ticks and the
// rows taken out as equal/equal; CopyMover applies the decision.
#include "fileops/core/rewrite.h"

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QMenu;
class QRadioButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace vt {

class ClickLabel;

class TReWriteFrm : public QDialog {
    Q_OBJECT
public:
    // startFolder: the search start folder, shown in backup mode.
    TReWriteFrm(const RewriteScan &scan, const QString &startFolder, QWidget *parent = nullptr);

    // Ticks and removals as they stand; applied is set by "Применить".
    ReviewDecision decision() const;
    // Told the result-table rows of the equal/equal rows as they are taken
    // out, so that they leave the selection at once.
    std::function<void(const QList<int> &rows)> rowsRemoved;

    void chooseRadio(QRadioButton *rb);
    void labRewrEQClick();
    // Column click; descending with Shift.
    void sortBy(int column, bool descending);
    enum class SortKey { Dest, Source, Date, Size, Ticks, Restore };
    void sortPopup(SortKey key);
    // "Просмотр": 0 all, 1 ticked, 2 unticked.
    void prosmotr(int which);
    // The lines a view shows.
    QStringList viewLines(int which, int *count) const;

    ClickLabel *labRewrExp, *labRewrDirSrc, *labRewrDirNew, *labRewrFIlesOther, *labRewrEQ;
    QLabel *labRewrInf;
    QLineEdit *eRewrDir, *eRewrDirSrc;
    QRadioButton *rbRewrNewMain, *rbRewrNewBigg, *rbRewrBig, *rbRewrAll, *rbRewrNothing, *rbRewrUser;
    QTreeWidget *lvRewr;
    QPushButton *sbRewrApply, *sbRewrCancel;
    QMenu *popRewr;

protected:
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fill();
    // Content widths of the shown columns, then their widths in the view.
    void measureColumns();
    void fitColumns();
    void setTicks(const QList<bool> &ticks);
    void setTableEnabled(bool on);
    void reorder(const std::function<bool(const QTreeWidgetItem *, const QTreeWidgetItem *)> &less);
    int indexOf(const QTreeWidgetItem *it) const;
    void updateCaption(bool afterRemoval);

    const RewriteScan &m_scan;
    QString m_start;
    QList<int> m_removed;
    int m_runningTotal;
    int m_minWidth = 760;
    int m_need[7] = {};
};

} // namespace vt
