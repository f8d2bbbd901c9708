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

// Follows the progress of one operation context: the window (not modal) is
// made and shown when a batch shows its progress, pending events are let
// through, and it goes when the batch closes it.
class ProgressWindow : public QObject {
    Q_OBJECT
public:
    explicit ProgressWindow(OperationContext &ops, QObject *parent = nullptr);
    ~ProgressWindow() override;
    // The window while it is shown, else null.
    TProtectForm *form() const { return m_form; }

private:
    void shown();
    void closed();
    OperationContext &m_ops;
    TProtectForm *m_form = nullptr;
};

} // namespace vt
