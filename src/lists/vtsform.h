#pragma once
// The VTS chooser (the snapshots of the lists folder with their marks and
// descriptions) and the mark and description editor. The chooser only
// chooses; the main window reads the snapshot.
#include "lists/core/vtsfile.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace vt {

// The background of every VTS window and of a table holding a snapshot.
QColor vtsColour();

class TVtsChanForm : public QDialog {
    Q_OBJECT
public:
    // mark -1: none chosen yet (a new list). With edit, OK needs a change.
    TVtsChanForm(int mark, const QString &description, bool edit, QWidget *parent = nullptr);

    int mark() const;
    QString description() const;

    void butOKClick();
    void cmbVtsMetChange();

    QComboBox *cmbVtsMet;
    QLabel *imVts;
    QLineEdit *eVtsMet;
    QPushButton *butOK, *butCanc;

private:
    int m_oldMark;
    QString m_oldDescription;
    bool m_edit;
};

class TVtsForm : public QDialog {
    Q_OBJECT
public:
    explicit TVtsForm(const QString &folder, QWidget *parent = nullptr);

    // The chosen file name (with its extension), after Accepted.
    QString chosenFile() const { return m_chosen; }
    const QList<VtsEntry> &entries() const { return m_entries; }

    void ReadFindVTS(const QString &folder);
    void sortVTS(bool sound, int column, bool descending);
    void lvVtsColumnClick(int column);
    void sbOKClick();
    void sbChanVTSClick();
    // Scroll to the first / last entry; with focus, it also becomes current.
    void scrollEnd(bool last, bool focus);

    QTreeWidget *lvVts;
    QPushButton *sbChanVTS, *sbOK, *sbCanc, *sbHome, *sbEndS;

protected:
    void mousePressEvent(QMouseEvent *e) override;

private:
    void fill(const QString &keepFile);
    int selectedIndex() const;

    QString m_folder;
    QList<VtsEntry> m_entries;
    QString m_chosen;
};

} // namespace vt
