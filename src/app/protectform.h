#pragma once
// The "Подождите..." panel shown while a batch runs: a label, a progress bar
// and "Остановить". It cannot be closed by the user; its owner closes it.
#include "base/progress.h"

#include <QFrame>

class QLabel;
class QProgressBar;
class QPushButton;

namespace vt {

class TProtectForm : public QFrame {
    Q_OBJECT
public:
    explicit TProtectForm(QWidget *parent = nullptr);
    // Shows what progressState() holds.
    void refresh();

    QLabel *labinf;
    QProgressBar *pbar;
    QPushButton *sbProtCancel;

protected:
    void closeEvent(QCloseEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;

private:
    void sbProtCancelClick();
    QPoint m_dragOffset;
    bool m_manualDrag = false;
};

// Shows the window (not modal) and lets pending events through.
void ShowProtect(bool cancellable, int max, const QString &text = QString());
void UpdateProtect(int position);
void CloseProtect();
// The window while it is shown, else null.
TProtectForm *protectForm();

} // namespace vt
