#include "app/protectform.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <utility>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

namespace vt {

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

ProgressWindow::ProgressWindow(OperationContext &ops, QObject *parent) : QObject(parent), m_ops(ops)
{
    connect(&ops, &OperationContext::progressShown, this, &ProgressWindow::shown);
    connect(&ops, &OperationContext::progressChanged, this, [this] {
        if (m_form)
            m_form->refresh();
    });
    connect(&ops, &OperationContext::progressClosed, this, &ProgressWindow::closed);
}

ProgressWindow::~ProgressWindow() { delete m_form; }

void ProgressWindow::shown()
{
    if (!m_form)
        m_form = new TProtectForm(m_ops);
    m_form->refresh();
    m_form->show();
    m_form->raise();
    m_ops.processEvents();
}

void ProgressWindow::closed()
{
    if (!m_form)
        return;
    TProtectForm *f = std::exchange(m_form, nullptr);
    f->close();
    f->deleteLater();
}

} // namespace vt
