#pragma once
// The texts a shown window cuts: its title, labels, buttons and column
// headers narrower than what they hold.
#include "widgets/wholetitle.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QTextDocument>

namespace vt::test {

// Columns of at most one pixel are hidden on purpose. With columnsInView a
// column running past the visible part of its table counts as cut too.
inline QStringList cutTexts(QWidget *window, bool columnsInView = false)
{
    QStringList out;
    if (window->width() < titleWidth(window->windowTitle()))
        out << window->windowTitle();
    auto cut = [&](QWidget *w, const QString &text, int room) {
        int need = 0;
        for (const QString &line : text.split(QLatin1Char('\n')))
            need = qMax(need, w->fontMetrics().horizontalAdvance(line));
        if (w->isVisibleTo(window) && !text.isEmpty() && room < need)
            out << text;
    };
    for (QLabel *l : window->findChildren<QLabel *>())
        if (!l->wordWrap() && !Qt::mightBeRichText(l->text()))
            cut(l, l->text(), l->contentsRect().width());
    for (QAbstractButton *b : window->findChildren<QAbstractButton *>())
        cut(b, QString(b->text()).remove(QLatin1Char('&')),
            b->width() - 4 - (b->icon().isNull() ? 0 : b->iconSize().width() + 4));
    for (QHeaderView *h : window->findChildren<QHeaderView *>()) {
        const int margins = 2 * h->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, h);
        for (int i = 0; h->orientation() == Qt::Horizontal && i < h->count(); ++i) {
            if (h->isSectionHidden(i) || h->sectionSize(i) <= 1)
                continue;
            const bool past = h->sectionViewportPosition(i) + h->sectionSize(i) > h->viewport()->width();
            cut(h, h->model()->headerData(i, Qt::Horizontal).toString(),
                columnsInView && past ? 0 : h->sectionSize(i) - margins);
        }
    }
    return out;
}

} // namespace vt::test
