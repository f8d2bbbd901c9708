#include "table/statuspanels.h"

#include <QLabel>

namespace vt {

StatusPanels::StatusPanels(QWidget *parent) : QStatusBar(parent)
{
    setSizeGripEnabled(false);
    static const char16_t *const captions[PanelCount] = {
        u"Выделено файлов:", nullptr, nullptr, u"Выделено папок:", nullptr,
        u"Файлов:", nullptr, nullptr, u"Папок:", nullptr};
    for (int i = 0; i < PanelCount; ++i) {
        auto *l = new QLabel(this);
        l->setObjectName(QStringLiteral("panel%1").arg(i));
        if (captions[i]) {
            l->setText(QString::fromUtf16(captions[i]));
        } else {
            // Values: counts get a small panel, sizes a wider one.
            const bool sizePanel = i == 2 || i == 7;
            l->setMinimumWidth(fontMetrics().horizontalAdvance(
                sizePanel ? QStringLiteral("0000,00 МБ") : QStringLiteral("00000")) + 8);
            l->setText(sizePanel ? QString() : QStringLiteral("0"));
            l->setFrameShape(QFrame::Panel);
            l->setFrameShadow(QFrame::Sunken);
        }
        m_labels[i] = l;
        addWidget(l);
    }
}

void StatusPanels::setPanel(int i, const QString &text)
{
    if (i >= 0 && i < PanelCount)
        m_labels[i]->setText(text);
}

QString StatusPanels::panel(int i) const
{
    return i >= 0 && i < PanelCount ? m_labels[i]->text() : QString();
}

QLabel *StatusPanels::panelLabel(int i) const
{
    return i >= 0 && i < PanelCount ? m_labels[i] : nullptr;
}

void StatusPanels::SelRes(const TableCounters &c)
{
    setPanel(1, QString::number(c.selFiles));
    setPanel(2, statusSizeText(c.selSize));
    setPanel(4, QString::number(c.selFolders));
}

void StatusPanels::SetLabRes(const TableCounters &c)
{
    setPanel(6, QString::number(c.files));
    setPanel(9, QString::number(c.folders));
}

void StatusPanels::showTotalSize(const TableCounters &c) { setPanel(7, statusSizeText(c.size)); }

void StatusPanels::showAll(const TableCounters &c)
{
    SelRes(c);
    SetLabRes(c);
    showTotalSize(c);
}

} // namespace vt
