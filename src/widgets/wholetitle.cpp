#include "widgets/wholetitle.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QPointer>
#include <QSpacerItem>
#include <QWidget>

namespace vt {
namespace {

// Icon, minimise, maximise and close with their padding; the widest frames
// (Windows 10 and later) need about this much.
constexpr int kFrameRoom = 160;
const char kSpacerWidth[] = "vtTitleSpacer";

// A message box sets its own fixed size from its layout when it is shown, so
// the room goes into the layout as a spacer across its columns.
void widenBox(QMessageBox *box, int need)
{
    auto *grid = qobject_cast<QGridLayout *>(box->layout());
    if (!grid || box->property(kSpacerWidth).toInt() >= need)
        return;
    const QMargins m = grid->contentsMargins();
    grid->addItem(new QSpacerItem(need - m.left() - m.right(), 0, QSizePolicy::Fixed, QSizePolicy::Minimum),
                  grid->rowCount(), 0, 1, grid->columnCount());
    box->setProperty(kSpacerWidth, need);
}

void widen(QWidget *w)
{
    const Qt::WindowType type = w->windowType();
    if ((type != Qt::Window && type != Qt::Dialog) || (w->windowFlags() & Qt::FramelessWindowHint))
        return;
    const int need = titleWidth(w->windowTitle());
    if (auto *box = qobject_cast<QMessageBox *>(w)) {
        widenBox(box, need);
        return;
    }
    if (w->width() >= need)
        return;
    if (w->minimumWidth() == w->maximumWidth()) {
        w->setFixedWidth(need);
        return;
    }
    if (w->maximumWidth() < need)
        w->setMaximumWidth(need);
    w->resize(need, w->height());
}

class TitleFilter final : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *o, QEvent *e) override
    {
        // Before the window's own show handling, so that a message box lays
        // itself out with the room already there.
        if (e->type() == QEvent::Show && o->isWidgetType() && static_cast<QWidget *>(o)->isWindow())
            widen(static_cast<QWidget *>(o));
        return false;
    }
};

} // namespace

int titleWidth(const QString &title)
{
    if (title.isEmpty())
        return 0;
    QFont f = QApplication::font("QMdiSubWindowTitleBar");
    f.setBold(true);
    return QFontMetrics(f).horizontalAdvance(title) + kFrameRoom;
}

void keepTitlesWhole()
{
    static QPointer<TitleFilter> filter;
    if (filter)
        return;
    filter = new TitleFilter(qApp);
    qApp->installEventFilter(filter);
}

} // namespace vt
