#pragma once
// The favourite-string chooser: search templates (Options/strshab) or program
// parameters (Options/strparam) for one edit field.
#include "lists/core/favourites.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace vt {

class TFilStrForm : public QDialog {
    Q_OBJECT
public:
    TFilStrForm(FavouriteKind kind, const QString &file, const QString &text, const QString &caption,
                QWidget *parent = nullptr);

    QString result() const;

    void choose();
    void sbAddClick();
    void sbDelFilStrClick();
    void butOkClick();

    QListWidget *lbFilStr;
    QLabel *labFilStr;
    QLineEdit *eFilStr;
    QPushButton *sbAdd, *sbDelFilStr, *butOk;

protected:
    void keyPressEvent(QKeyEvent *e) override;
    bool eventFilter(QObject *watched, QEvent *e) override;
    void done(int r) override;

private:
    bool handleKey(QKeyEvent *e);
    bool passes(const QString &text) const;
    void fill();

    FavouriteKind m_kind;
    FavouriteStrings m_store;
    bool m_saved = false;
};

// Runs the chooser for edit; the edit takes the result when it differs
// (sound 3). Without Options/ only a beep. True when the edit changed.
bool OpenFilStr(FavouriteKind kind, const QString &file, QLineEdit *edit, const QString &caption,
                QWidget *parent = nullptr);

} // namespace vt
