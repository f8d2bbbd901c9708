#pragma once
// Runs op while a FIFO stands at the path. An op that waits on the FIFO is let
// go by opening it for reading and writing (which never waits), so the fault
// fails the test instead of hanging it.
#include <QFile>
#include <QThread>

#include <atomic>
#include <thread>

namespace vt::test {

template <class Op> bool returnsAtOnce(const QString &fifo, Op op)
{
    std::atomic<bool> done = false;
    std::thread t([&] { op(), done = true; });
    const auto wait = [&](int ms) {
        for (; ms > 0 && !done; ms -= 10)
            QThread::msleep(10);
    };
    wait(3000);
    const bool quick = done;
    QFile other(fifo);
    if (!quick && other.open(QIODevice::ReadWrite))
        wait(1000); // a waiting writer finishes while it is open, a reader at its close
    other.close();
    t.join();
    return quick;
}

} // namespace vt::test
