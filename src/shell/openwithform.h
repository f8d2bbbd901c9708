#pragma once
// The open-with window: the user's programs, an optional parameter with its
// recent and favourite values, and sending the window's paths to a program.
#include "shell/core/openwith.h"

#include <QDialog>
#include <QIcon>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolButton;
class QTreeWidget;

namespace vt {

// The icon the desktop shows for a program (theme, application entry, file type).
QIcon programIcon(const QString &program);

class TOpenWithForm : public QDialog {
    Q_OBJECT
public:
    // single: the window serves one path (run button, Page insertion); page:
    // the Page value of the table's current row.
    TOpenWithForm(bool single, const QStringList &paths, const QString &page, QWidget *parent = nullptr);

    const ProgramList &programs() const { return m_list; }
    // The favourite parameters for the parameter field; unset: nothing opens.
    std::function<void(QLineEdit *)> favourites;
    // Selects exactly the program at index (for keys and tests).
    void selectProgram(int index);

    void butAddClick();
    void butDelClick();
    void butDefExecClick();
    // Modes 0 send, 1 run, 2 run with the parameter, 3 open the program's folder.
    void runMode(RunMode mode);
    void labAddPageClick();
    void labFileClick();
    void chooseRecent(int n);
    void clearRecent();
    void favouriteParams();
    void fillRecentMenu();
    void popExecPopup();

    QTreeWidget *lvExec;
    QLabel *labFile, *labAddPage, *labPrograms;
    QLineEdit *eFile, *eAddParam;
    QCheckBox *cbAddParam;
    QToolButton *sbParamMenu;
    QPushButton *butAdd, *butDel, *butApply, *butDefExec, *butClose;
    QMenu *popExec, *popParam, *popRecent;
    QAction *miRun, *miRunParam, *miFolder, *miRecentMenu, *miClear, *miFavourites;
    QList<QAction *> miRecent;

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void addRow(const QString &path);
    void paramChanged();
    int selectedIndex() const; // -1 unless exactly one program is selected

    ProgramList m_list;
    QStringList m_paths;
    QString m_page;
    bool m_single;
};

// Shows the window for these paths; true when it closed done. favourites
// opens the favourite parameters for the parameter field.
bool OpenWith(bool single, const QStringList &paths, const QString &page = QString(), QWidget *parent = nullptr,
              std::function<void(QLineEdit *)> favourites = {});

} // namespace vt
