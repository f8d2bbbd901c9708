#pragma once
// The one context every long operation runs in: the busy state (shown by the
// main window's "Стоп"), the stop request ("Стоп", Escape and the progress
// window's "Остановить" all end here), the progress of a batch (the progress
// window follows its signals), and the cadence at which pending events are
// served while the work goes on.
#include "base/progress.h"

#include <QElapsedTimer>
#include <QObject>
#include <functional>

namespace vt {

class OperationContext : public QObject {
    Q_OBJECT
public:
    explicit OperationContext(QObject *parent = nullptr);

    bool busy() const { return m_busy; }
    // The stop was asked for since the running operation began.
    bool stopRequested() const { return m_stop; }
    // Stop: refused while the progress window has given up its stop button
    // (its last item is running).
    void requestStop();

    // One item of work is done: pending events are served when the last
    // serving is 15 ms or more ago, so a walk over many thousands of entries
    // is not slowed by event processing. Cheap enough to call per entry.
    void pump();
    // The same without counting items: for waits and other places that
    // are not one per item.
    void pumpDue();
    // Serves pending events now.
    void processEvents();
    // What serving events means (tests, the headless mode); the default is
    // QCoreApplication::processEvents.
    void setEventPump(std::function<void()> pump) { m_pumpFn = std::move(pump); }

    const ProgressState &progress() const { return m_progress; }
    // A batch shows its progress: a cancellable one may be stopped ("Остановить"),
    // a plain one only waits. Each step is a signal the progress window follows.
    void showProgress(bool cancellable, int max, const QString &text = QString());
    void updateProgress(int position);
    // The batch is done: the window may close.
    void closeProgress();

    // Marks the program busy for one operation: the stop request is cleared
    // at its start and the busy state ends with the scope.
    class Scope {
    public:
        explicit Scope(OperationContext &ctx);
        ~Scope();
        Scope(const Scope &) = delete;
        Scope &operator=(const Scope &) = delete;

    private:
        OperationContext &m_ctx;
        bool m_wasBusy;
    };

signals:
    void busyChanged(bool busy);
    void stopRequestedChanged(bool stop);
    void progressShown();
    void progressChanged();
    void progressClosed();

private:
    void setBusy(bool on);

    bool m_busy = false;
    bool m_stop = false;
    ProgressState m_progress;
    std::function<void()> m_pumpFn;
    QElapsedTimer m_clock;
    qint64 m_lastPump = 0;
    unsigned m_tick = 0;
};

// A batch's progress, closed at the end of its scope however the batch ends.
class ProgressShown {
public:
    explicit ProgressShown(OperationContext &ops) : m_ops(ops) {}
    ~ProgressShown() { close(); }
    ProgressShown(const ProgressShown &) = delete;
    ProgressShown &operator=(const ProgressShown &) = delete;
    void show(int max, const QString &text)
    {
        m_open = true;
        m_ops.showProgress(true, max, text);
    }
    void update(int position) { m_ops.updateProgress(position); }
    void close()
    {
        if (m_open)
            m_ops.closeProgress();
        m_open = false;
    }

private:
    OperationContext &m_ops;
    bool m_open = false;
};

} // namespace vt
