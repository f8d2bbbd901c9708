#pragma once
// The favourite-folder window: the favourites of Options/open and three
// one-click sources (the table's folder, the start-up folder, the search
// start folder) fill the result field, which the caller takes.
#include "lists/core/favourites.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QToolButton;

namespace vt {

// Kept for the run and given to every opening: the two check boxes and
// where the last search started (set by the main window).
struct OpenVarSession {
    bool quickChoice = true;
    bool sorted = true;
    std::function<QString()> searchStart;
};
OpenVarSession &openVarSession();

class TOpenVarForm : public QDialog {
    Q_OBJECT
public:
    TOpenVarForm(const QString &current, const QString &tableFolder, bool hideStartDir,
                 QWidget *parent = nullptr);
    ~TOpenVarForm() override;

    QString result() const;

    void sbAddIzbrClick();
    void sbDelIzbrClick();
    void sbSelDirClick(bool shift);
    void sbExplClick(bool shift);
    void sbApplyDirClick();
    void sbStartDirClick(bool shift);
    void sbAddFromIzbClick();
    // "[" and "]": the previous or next favourite into the result.
    void step(int delta);
    void lbDirDblClick();

    QListWidget *lbDir;
    QLineEdit *eDirOpenVar;
    QCheckBox *cbQVyb, *cbSortDir;
    QPushButton *sbSelDir, *sbAddIzbr, *sbDelIzbr, *sbExpl, *sbApplyDir, *sbCancDir, *sbStartDir;
    QToolButton *sbAddFromIzb, *sbRefr, *sbOwnDir;
    QLabel *lab1;

protected:
    void keyPressEvent(QKeyEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void done(int r) override;

private:
    bool handleKey(QKeyEvent *e);
    void fillBox(const QString &select = QString());
    QStringList selectedFolders() const;
    // One of the three sources into the result.
    void takeSource(const QString &folder);
    void setSourceHints();

    FavouriteFolders m_store;
    QString m_tableFolder;
    bool m_saved = false;
};

// Runs the window; chosen gets the folder when it differs from current
// (sound 3), else stays empty. True when a folder was chosen.
bool OpenIzb(const QString &current, const QString &tableFolder, QString &chosen, bool hideStartDir,
             QWidget *parent = nullptr);

} // namespace vt
