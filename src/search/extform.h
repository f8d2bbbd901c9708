#pragma once
// The extension picker: the known extensions on the right, the chosen ones
// and the favourite sets on the left.
#include <QDialog>
#include <QStringList>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace vt {

class TExtForm : public QDialog {
    Q_OBJECT
public:
    explicit TExtForm(const QStringList &current, QWidget *parent = nullptr);

    // What the search takes after the window closed (OK or Escape alike).
    QStringList extensions() const { return m_result; }

    void addToList();           // "Добавить к списку", F5
    void deleteFromList();      // "Удалить из списка"
    void takeChosen();          // the arrow button, double click on the list
    void clearResult();         // "Очистить"
    void addFavourite();        // "Добавить в избранные"
    void takeFavourite();       // the down button, double click on a favourite
    void deleteFavourite();     // "Удалить из избранных"
    void removeFromResult(const QString &ext);

    QLineEdit *eRes = nullptr;
    QListWidget *lbEXTS = nullptr;
    QListWidget *lbExt = nullptr;
    QLabel *labNote = nullptr;
    QPushButton *sbAddExt = nullptr;
    QPushButton *sbDelExt = nullptr;
    QPushButton *sbToRes = nullptr;
    QPushButton *sbClear = nullptr;
    QPushButton *sbAddFav = nullptr;
    QPushButton *sbFromFav = nullptr;
    QPushButton *sbDelFav = nullptr;
    QPushButton *butOk = nullptr;

    void done(int r) override;

private:
    void fillList(int select = -1);
    void fillFavourites();
    void showResultMenu(const QPoint &pos);

    QStringList m_list;
    QStringList m_favs;
    QStringList m_result;
    bool m_listChanged = false;
    bool m_favsChanged = false;
};

} // namespace vt
