#include "base/operation.h"

#include <QCoreApplication>

namespace vt {

OperationContext::OperationContext(QObject *parent) : QObject(parent)
{
    m_clock.start();
}

void OperationContext::setBusy(bool on)
{
    if (m_busy == on)
        return;
    m_busy = on;
    emit busyChanged(on);
}

void OperationContext::requestStop()
{
    if (m_progress.shown() && m_progress.cancellable()) {
        if (!m_progress.buttonEnabled())
            return;
        m_progress.requestStop();
    }
    if (m_stop)
        return;
    m_stop = true;
    emit stopRequestedChanged(true);
}

void OperationContext::showProgress(bool cancellable, int max, const QString &text)
{
    m_progress.show(cancellable, max, text);
    emit progressShown();
}

void OperationContext::updateProgress(int position)
{
    m_progress.update(position);
    emit progressChanged();
}

void OperationContext::closeProgress()
{
    const bool was = m_progress.shown();
    m_progress.close();
    if (was)
        emit progressClosed();
}

void OperationContext::processEvents()
{
    if (m_pumpFn)
        m_pumpFn();
    else
        QCoreApplication::processEvents();
    m_lastPump = m_clock.elapsed();
}

void OperationContext::pump()
{
    if ((++m_tick & 31) != 0)
        return;
    pumpDue();
}

void OperationContext::pumpDue()
{
    if (m_clock.elapsed() - m_lastPump >= 15)
        processEvents();
}

OperationContext::Scope::Scope(OperationContext &ctx) : m_ctx(ctx), m_wasBusy(ctx.busy())
{
    if (m_wasBusy)
        return; // an operation inside another keeps the outer one's state
    if (m_ctx.m_stop) {
        m_ctx.m_stop = false;
        emit m_ctx.stopRequestedChanged(false);
    }
    m_ctx.setBusy(true);
}

OperationContext::Scope::~Scope()
{
    if (!m_wasBusy)
        m_ctx.setBusy(false);
}

} // namespace vt
