#pragma once
// `--quit-after-show`: the event loop ends right after the window's first
// paint, so that a start-up can be timed from outside.
class QWidget;

namespace vt {
void quitAfterFirstPaint(QWidget *window);
}
