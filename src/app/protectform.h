#pragma once
// The "Подождите..." panel shown while a batch runs: a label, a progress bar
// and "Остановить". It cannot be closed by the user; its owner closes it.
#include "base/operation.h"

#include <QFrame>

class QLabel;
class QProgressBar;
class QPushButton;

namespace vt {

class TProtectForm : public QFrame {
    Q_OBJECT
public:
    explicit TProtectForm(OperationContext &ops, QWidget *parent = nullptr);
    // Shows what the context's progress state holds.
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
    OperationContext &m_ops;
    QPoint m_dragOffset;
    bool m_manualDrag = false;
};

// Shows the window (not modal) and lets pending events through. A
// cancellable showing starts a batch afresh: its stop is "Остановить".
void ShowProtect(OperationContext &ops, bool cancellable, int max, const QString &text = QString());
void UpdateProtect(OperationContext &ops, int position);
void CloseProtect(OperationContext &ops);
// The window while it is shown, else null.
TProtectForm *protectForm();

} // namespace vt
