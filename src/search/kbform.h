#pragma once
// The size picker of a size field: a value in KB, MB or GB plus the part of
// the field's old value below one unit.
#include <QDialog>

class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace vt {

class TKbForm : public QDialog {
    Q_OBJECT
public:
    enum Unit { Kb = 0, Mb = 1, Gb = 2 };
    // tableBytes: the single selected file's size, -1 when there is none.
    TKbForm(bool maxField, qint64 currentKb, qint64 tableBytes, QWidget *parent = nullptr);

    qint64 sizeKb() const;
    Unit unit() const { return m_unit; }
    qint64 remainder() const { return m_rem; }
    void setUnit(Unit u);
    void setToMin();
    void setToMax();
    void setFromTable();
    void clearRemainder();

    static qint64 unitKb(Unit u);
    static qint64 unitMax(Unit u);

    QRadioButton *rbKb = nullptr;
    QRadioButton *rbMb = nullptr;
    QRadioButton *rbGb = nullptr;
    QSpinBox *seVvod = nullptr;
    QLabel *labRange = nullptr;
    QLabel *labOst = nullptr;
    QLabel *labOstVal = nullptr;
    QLabel *labRes = nullptr;
    QPushButton *sbMin = nullptr;
    QPushButton *sbMax = nullptr;
    QPushButton *sbTable = nullptr;
    QPushButton *butOk = nullptr;
    QPushButton *butCancel = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void inputChanged(int v);
    void refresh();

    Unit m_unit = Kb;
    qint64 m_rem = 0;
    qint64 m_tableBytes = -1;
};

} // namespace vt
