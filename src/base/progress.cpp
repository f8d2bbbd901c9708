#include "base/progress.h"

namespace vt {

void ProgressState::show(bool cancellable, int max, const QString &text)
{
    m_shown = true;
    m_mayClose = false;
    m_cancellable = cancellable;
    m_continue = cancellable;
    m_max = cancellable ? max : 0;
    m_pos = 0;
    m_label = text.isEmpty() ? QStringLiteral("Подождите...") : text;
    m_button = QStringLiteral("Остановить");
    m_buttonEnabled = cancellable;
    // A batch of one item is already at its last item.
    if (cancellable && max <= 1)
        update(max);
}

void ProgressState::update(int position)
{
    m_pos = position;
    if (m_cancellable && position >= m_max && m_buttonEnabled) {
        m_buttonEnabled = false;
        m_button = QStringLiteral("Остался 1 файл...");
    }
}

void ProgressState::requestStop()
{
    if (!m_buttonEnabled)
        return;
    m_continue = false;
    m_buttonEnabled = false;
    m_button = QStringLiteral("Подождите...");
}

void ProgressState::close()
{
    m_mayClose = true;
    m_shown = false;
}

} // namespace vt
