#pragma once
// The save dialog of an open VTX/M3U list: full paths or names relative to
// the list's folder. Closes with 6 (Да), 7 (Нет) or 2 (Отмена).
#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vt {

class TSaveVtxFrm : public QDialog {
    Q_OBJECT
public:
    // Its link opens the log viewer on the list file's own text.
    TSaveVtxFrm(const QString &listPath, bool incomplete, QWidget *parent = nullptr);

    // Relative names were chosen (meaningful unless cancelled).
    bool relative() const;

    QLabel *labNm, *labTop, *labWrn, *labVtxSrc;
    QLineEdit *eNm;
    QRadioButton *rbFull, *rbOtn;
    QPushButton *sbYes, *sbNo, *sbCancel;

protected:
    void keyPressEvent(QKeyEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void reject() override;

private:
    void choose(QRadioButton *rb);
    QString m_path;
};

// VprVtx: runs the dialog modally; *relative gets the choice.
int VprVtx(const QString &listPath, bool incomplete, bool *relative, QWidget *parent);

} // namespace vt
