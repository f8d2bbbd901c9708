#include "app/commandmenus.h"

#include "base/commands.h"

#include <QMenu>

namespace vt {

void fillMenu(QMenu *menu, const CommandTable &t, const QStringList &layout)
{
    QList<QMenu *> open{menu};
    for (const QString &entry : layout) {
        QMenu *m = open.last();
        if (entry == QLatin1String("-")) {
            m->addSeparator();
        } else if (entry.startsWith(QLatin1Char('>'))) {
            open << m->addMenu(entry.mid(1));
        } else if (entry == QLatin1String("<")) {
            if (open.size() > 1)
                open.removeLast();
        } else if (const Command *c = t.find(entry)) {
            QAction *a = m->addAction(c->menuText());
            const int tag = c->keys.isEmpty() ? 0 : int(c->keys.first().shift) + 2 * int(c->keys.first().ctrl);
            a->setData(tag);
            const QString id = c->id;
            QObject::connect(a, &QAction::triggered, m, [&t, id] { t.run(id); });
            if (c->enabled) {
                const std::function<bool()> enabled = c->enabled;
                QObject::connect(menu, &QMenu::aboutToShow, a, [a, enabled] { a->setEnabled(enabled()); });
            }
            if (c->checked) {
                a->setCheckable(true);
                const std::function<bool()> checked = c->checked;
                QObject::connect(menu, &QMenu::aboutToShow, a, [a, checked] { a->setChecked(checked()); });
                QObject::connect(a, &QAction::triggered, a, [a, checked] { a->setChecked(checked()); });
            }
        } else {
            qWarning("menu entry without a command: %s", qPrintable(entry));
        }
    }
}

} // namespace vt
