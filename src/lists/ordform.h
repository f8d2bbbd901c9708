#pragma once
// The ordinal chooser with its name editor, and the "ord"/"page" links above
// the table. The chooser only chooses and edits names; the main window writes
// the ordinal into the rows and the names into ord2.
#include <QDialog>
#include <QColor>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace vt {

class TOrdEditForm : public QDialog {
    Q_OBJECT
public:
    TOrdEditForm(int number, const QString &name, QWidget *parent = nullptr);
    QString text() const;

    QLabel *labInf;
    QLineEdit *edEd;
    QPushButton *butOKEd, *butCancEd;
};

class TOrdForm : public QDialog {
    Q_OBJECT
public:
    // names: the 255 names; current: the ordinal to select (0: none, "Удалить"
    // is then disabled for a single row); selectedRows: rows the choice goes to.
    TOrdForm(const QStringList &names, int current, int selectedRows, QWidget *parent = nullptr);

    // After Accepted: 1..255, or 0 for "Удалить".
    int choice() const { return m_choice; }
    bool namesChanged() const { return m_namesChanged; }
    // The names as edited (the entry texts from their 6th character).
    QStringList names() const;

    void sbOrdOkClick();
    void sbOrdEditClick();
    void sbOrdDelClick();

    QListWidget *lbOrd;
    QPushButton *sbOrdEdit, *sbOrdOk, *sbOrdCanc, *sbOrdDel;
    QCheckBox *cbOrdQVyb;

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;

private:
    int m_choice = -1;
    bool m_namesChanged = false;
};

// Makes a label a link: grey and underlined, the hover colour under the
// pointer, clicked() on a left press.
class OrdLink : public QObject {
    Q_OBJECT
public:
    OrdLink(QLabel *label, const QString &caption, const QString &hint, QColor hover);

signals:
    void clicked();

protected:
    bool eventFilter(QObject *watched, QEvent *e) override;

private:
    void paint(QColor c);
    QLabel *m_label;
    QColor m_hover;
};

} // namespace vt
