#pragma once
// The list chooser: the VTL lists of the lists folder, to open one, to add
// the selected rows to one, or to name a list the rows are saved in. It only
// chooses; the main window does the reading and writing.
#include "lists/core/listfolder.h"

#include <QDialog>

class QListWidget;
class QPushButton;

namespace vt {

enum class ChooserMode { Open = 1, Append = 2, SaveSelected = 3, SaveAll = 4 };

class TSpisForm : public QDialog {
    Q_OBJECT
public:
    // count: the rows the command works on (shown in the caption).
    TSpisForm(ChooserMode mode, int count, QWidget *parent = nullptr);

    // The chosen list file (open and append), or the named file (save modes).
    QString chosenPath() const { return m_path; }
    // Save modes: up to 20 characters of the caption from its "(".
    QString detail() const;
    ChooserMode mode() const { return m_mode; }

    void refrSpis();
    void sbSpisNameClick();
    void sbOKSpisClick();
    void sbSortSpisClick();
    bool dateView() const { return m_dateView; }

    QListWidget *lbSpis;
    QPushButton *sbSpisName, *sbOKSpis, *sbCancelSpis, *sbSortSpis;

protected:
    void showEvent(QShowEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;

private:
    void fill(const QList<ListEntry> &entries);
    void SetSbSortSpis();

    ChooserMode m_mode;
    QList<ListEntry> m_byName;
    bool m_dateView = false;
    bool m_shown = false;
    QString m_path;
};

} // namespace vt
