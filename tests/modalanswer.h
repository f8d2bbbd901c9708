#pragma once
// Answering the program's own modal windows in tests. The program opens them
// with exec(), so the answer has to come from inside that nested event loop:
// a timer looks for the window every few milliseconds. Each helper fails the
// test, instead of hanging it, when the window does not behave.
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace vt::test {

// Answers the next modal window with action. The test fails when no window
// opens before the scope ends (or within the deadline while events run), and
// when the window is still open a deadline after the action: it is then
// closed so that the test can go on.
class ModalAnswer {
public:
    explicit ModalAnswer(std::function<void(QWidget *)> action, int deadlineMs = 10000)
        : m_action(std::move(action)), m_deadline(deadlineMs), m_before(QApplication::activeModalWidget())
    {
        m_clock.start();
        QObject::connect(&m_timer, &QTimer::timeout, [this] { poll(); });
        m_timer.start(5);
    }
    ~ModalAnswer()
    {
        if (!m_seen && !m_failed)
            QTest::qFail("the expected window did not open", __FILE__, __LINE__);
    }
    ModalAnswer(const ModalAnswer &) = delete;
    ModalAnswer &operator=(const ModalAnswer &) = delete;

    bool seen() const { return m_seen; }
    QString title() const { return m_title; }
    QString objectName() const { return m_objectName; }

private:
    void poll()
    {
        QWidget *w = QApplication::activeModalWidget();
        if (!m_seen) {
            if (w && w != m_before) {
                m_seen = true;
                m_window = w;
                m_title = w->windowTitle();
                m_objectName = w->objectName();
                m_clock.restart();
                m_action(w);
            } else if (m_clock.elapsed() > m_deadline) {
                fail("no window opened in time");
            }
            return;
        }
        if (!m_window || !m_window->isVisible()) {
            m_timer.stop();
        } else if (m_clock.elapsed() > m_deadline) {
            fail("the window stayed open after its answer");
            if (auto *d = qobject_cast<QDialog *>(m_window.data()))
                d->reject();
            else
                m_window->close();
        }
    }
    void fail(const char *why)
    {
        m_failed = true;
        m_timer.stop();
        QTest::qFail(why, __FILE__, __LINE__);
    }

    std::function<void(QWidget *)> m_action;
    int m_deadline;
    QWidget *m_before;
    QTimer m_timer;
    QElapsedTimer m_clock;
    QPointer<QWidget> m_window;
    QString m_title, m_objectName;
    bool m_seen = false;
    bool m_failed = false;
};

// While it lives, any modal window that opens is closed at once and named;
// the test fails at the end of the scope when one did.
class NoModal {
public:
    NoModal()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (QWidget *w = QApplication::activeModalWidget()) {
                m_opened << w->windowTitle();
                w->close();
            }
        });
        m_timer.start(0);
    }
    ~NoModal()
    {
        if (!m_opened.isEmpty())
            QTest::qFail(qUtf8Printable(QStringLiteral("windows opened: ") + m_opened.join(QStringLiteral(", "))),
                         __FILE__, __LINE__);
    }
    const QStringList &opened() const { return m_opened; }

private:
    QTimer m_timer;
    QStringList m_opened;
};

} // namespace vt::test
