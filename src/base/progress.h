#pragma once
// State of the "Подождите..." progress window, kept apart from the window so
// that batch loops and their tests can run without a display. The operation
// context owns it; a batch asks the context whether to go on.
#include <QString>

namespace vt {

class ProgressState {
public:
    // A new showing: a cancellable one may be stopped, a plain one only waits.
    void show(bool cancellable, int max, const QString &text = QString());
    // Position of the bar; at the last item the stop button gives up.
    void update(int position);
    // "Остановить" was pressed.
    void requestStop();
    // The owner is done: the window may close now.
    void close();

    bool shown() const { return m_shown; }
    bool continueFlag() const { return m_continue; }
    bool mayClose() const { return m_mayClose; }
    bool cancellable() const { return m_cancellable; }
    int maximum() const { return m_max; }
    int position() const { return m_pos; }
    QString label() const { return m_label; }
    QString buttonText() const { return m_button; }
    bool buttonEnabled() const { return m_buttonEnabled; }
    bool barVisible() const { return m_cancellable; }

private:
    bool m_shown = false;
    bool m_continue = false;
    bool m_mayClose = true;
    bool m_cancellable = false;
    int m_max = 0;
    int m_pos = 0;
    QString m_label = QStringLiteral("Подождите...");
    QString m_button = QStringLiteral("Остановить");
    bool m_buttonEnabled = false;
};

} // namespace vt
