#include "app/protectform.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

namespace vt {
namespace {
QPointer<TProtectForm> g_form;
} // namespace

TProtectForm::TProtectForm(OperationContext &ops, QWidget *parent)
    : QFrame(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), m_ops(ops)
{
    setAttribute(Qt::WA_DeleteOnClose, false);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setWindowTitle(QStringLiteral("Vestrada"));

    labinf = new QLabel(QStringLiteral("Подождите..."), this);
    pbar = new QProgressBar(this);
    pbar->setTextVisible(false);
    sbProtCancel = new QPushButton(QStringLiteral("Остановить"), this);
    sbProtCancel->setFocusPolicy(Qt::NoFocus);
    sbProtCancel->setMinimumWidth(130);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(9, 6, 9, 6);
    grid->setSpacing(6);
    grid->addWidget(labinf, 0, 0, 1, 2);
    grid->addWidget(pbar, 1, 0);
    grid->addWidget(sbProtCancel, 1, 1);
    setFixedSize(360 + 2, 64 + 2);

    connect(sbProtCancel, &QPushButton::clicked, this, &TProtectForm::sbProtCancelClick);

    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    move(area.center() - rect().center());
}

void TProtectForm::refresh()
{
    const ProgressState &s = m_ops.progress();
    labinf->setText(s.label());
    pbar->setVisible(s.barVisible());
    pbar->setMaximum(qMax(1, s.maximum()));
    pbar->setValue(qBound(0, s.position(), pbar->maximum()));
    sbProtCancel->setText(s.buttonText());
    sbProtCancel->setEnabled(s.buttonEnabled());
}

void TProtectForm::sbProtCancelClick()
{
    m_ops.requestStop();
    refresh();
}

void TProtectForm::closeEvent(QCloseEvent *e)
{
    // Alt+F4 and the like: only the owner of the batch may close it.
    if (m_ops.progress().mayClose())
        e->accept();
    else
        e->ignore();
}

void TProtectForm::mousePressEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton)
        return;
    m_manualDrag = !(windowHandle() && windowHandle()->startSystemMove());
    m_dragOffset = e->globalPosition().toPoint() - frameGeometry().topLeft();
}

void TProtectForm::mouseMoveEvent(QMouseEvent *e)
{
    if (m_manualDrag && (e->buttons() & Qt::LeftButton))
        move(e->globalPosition().toPoint() - m_dragOffset);
}

void ShowProtect(OperationContext &ops, bool cancellable, int max, const QString &text)
{
    ops.progress().show(cancellable, max, text);
    if (!g_form)
        g_form = new TProtectForm(ops);
    g_form->refresh();
    g_form->show();
    g_form->raise();
    ops.processEvents();
}

void UpdateProtect(OperationContext &ops, int position)
{
    ops.progress().update(position);
    if (g_form)
        g_form->refresh();
}

void CloseProtect(OperationContext &ops)
{
    ops.progress().close();
    if (!g_form)
        return;
    TProtectForm *f = g_form;
    g_form = nullptr;
    f->close();
    f->deleteLater();
}

TProtectForm *protectForm() { return g_form; }

} // namespace vt
