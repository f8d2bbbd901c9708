#pragma once
// The association dialog: which list types the program opens from the file
// manager. The ticks show what is registered now; OK registers the ticked
// types and takes back the unticked ones.
#include <QDialog>

class QCheckBox;
class QPushButton;

namespace vt {

class TFileAssocForm : public QDialog {
    Q_OBJECT
public:
    explicit TFileAssocForm(QWidget *parent = nullptr);

    // OK and Enter: applies the ticks and closes with OK; a failure is told
    // and the dialog closes without OK.
    void sbOkClick();

    QCheckBox *cbAssVTL, *cbAssVTS, *cbAssVTX;
    QPushButton *sbOk;

protected:
    void mousePressEvent(QMouseEvent *e) override;
};

} // namespace vt
