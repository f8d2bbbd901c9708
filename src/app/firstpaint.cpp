#include "app/firstpaint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace vt {
namespace {
class FirstPaintQuit final : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // Queued, so that this paint and those of the children finish
            // and reach the screen before the loop ends.
            QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool m_seen = false;
};
} // namespace

void quitAfterFirstPaint(QWidget *window)
{
    window->installEventFilter(new FirstPaintQuit(window));
}

} // namespace vt
