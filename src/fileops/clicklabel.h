#pragma once
// A label that acts on a click, as the windows' underlined labels do.
#include <QLabel>
#include <QMouseEvent>

namespace vt {

class ClickLabel : public QLabel {
    Q_OBJECT
public:
    explicit ClickLabel(const QString &text, QWidget *parent = nullptr) : QLabel(text, parent)
    {
        setCursor(Qt::PointingHandCursor);
        QFont f = font();
        f.setUnderline(true);
        setFont(f);
    }

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *e) override
    {
        if (e->button() == Qt::LeftButton && isEnabled() && rect().contains(e->position().toPoint()))
            emit clicked();
    }
};

} // namespace vt
