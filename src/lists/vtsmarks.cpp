#include "lists/vtsmarks.h"

#include "lists/core/vtsformat.h"

#include <QConicalGradient>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace vt {
namespace {

void disc(QPainter &p, const QRectF &r)
{
    QConicalGradient g(r.center(), 30);
    g.setColorAt(0.0, QColor(220, 220, 230));
    g.setColorAt(0.2, QColor(170, 210, 255));
    g.setColorAt(0.35, QColor(250, 250, 210));
    g.setColorAt(0.5, QColor(200, 200, 210));
    g.setColorAt(0.7, QColor(255, 200, 230));
    g.setColorAt(1.0, QColor(220, 220, 230));
    p.setPen(QPen(QColor(110, 110, 120), 1.2));
    p.setBrush(g);
    p.drawEllipse(r);
    const qreal hole = r.width() * 0.16;
    p.setBrush(QColor(245, 245, 245));
    p.drawEllipse(r.center(), hole * 1.6, hole * 1.6);
    p.setBrush(Qt::white);
    p.drawEllipse(r.center(), hole * 0.7, hole * 0.7);
}

void note(QPainter &p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 30, 120));
    p.drawEllipse(QPointF(33, 40), 5, 4);
    p.drawRect(QRectF(36.5, 18, 2.2, 22));
    QPainterPath flag;
    flag.moveTo(38.7, 18);
    flag.cubicTo(44, 21, 47, 24, 45, 31);
    flag.cubicTo(44, 26, 41, 24, 38.7, 24);
    flag.closeSubpath();
    p.drawPath(flag);
}

void hardDisk(QPainter &p)
{
    QLinearGradient g(0, 8, 0, 44);
    g.setColorAt(0, QColor(200, 205, 215));
    g.setColorAt(1, QColor(120, 125, 140));
    p.setPen(QPen(QColor(70, 70, 80), 1.2));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(5, 8, 40, 34), 4, 4);
    p.setBrush(QColor(170, 175, 190));
    p.drawEllipse(QPointF(22, 25), 13, 13);
    p.setBrush(QColor(90, 95, 105));
    p.drawEllipse(QPointF(22, 25), 3, 3);
    p.setPen(QPen(QColor(60, 60, 70), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(40, 14), QPointF(27, 29));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 220, 60));
    p.drawEllipse(QPointF(40, 37), 2.2, 2.2);
}

void stick(QPainter &p)
{
    p.save();
    p.translate(25, 25);
    p.rotate(-35);
    p.setPen(QPen(QColor(60, 60, 70), 1.2));
    p.setBrush(QColor(190, 195, 205));
    p.drawRect(QRectF(10, -6, 11, 12));
    p.setBrush(QColor(60, 60, 70));
    p.drawRect(QRectF(13, -3.5, 3, 2.5));
    p.drawRect(QRectF(13, 1, 3, 2.5));
    QLinearGradient g(0, -9, 0, 9);
    g.setColorAt(0, QColor(80, 150, 240));
    g.setColorAt(1, QColor(20, 70, 170));
    p.setBrush(g);
    p.drawRoundedRect(QRectF(-21, -9, 32, 18), 4, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 170));
    p.drawEllipse(QPointF(-15, 0), 2.5, 2.5);
    p.restore();
}

void folderAndGlass(QPainter &p)
{
    p.setPen(QPen(QColor(150, 110, 20), 1.2));
    p.setBrush(QColor(240, 200, 80));
    QPainterPath tab;
    tab.moveTo(4, 12);
    tab.lineTo(17, 12);
    tab.lineTo(21, 16);
    tab.lineTo(40, 16);
    tab.lineTo(40, 40);
    tab.lineTo(4, 40);
    tab.closeSubpath();
    p.drawPath(tab);
    p.setBrush(QColor(250, 220, 110));
    p.drawRect(QRectF(4, 20, 36, 20));
    p.setPen(QPen(QColor(60, 60, 70), 4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(38, 38), QPointF(46, 46));
    p.setPen(QPen(QColor(60, 60, 70), 2.5));
    p.setBrush(QColor(200, 230, 255, 200));
    p.drawEllipse(QPointF(32, 32), 8, 8);
}

void various(QPainter &p)
{
    p.setPen(QPen(QColor(60, 60, 70), 1.2));
    p.setBrush(QColor(230, 80, 70));
    p.drawRect(QRectF(5, 6, 22, 22));
    p.setBrush(QColor(80, 180, 90));
    p.drawEllipse(QRectF(21, 8, 24, 24));
    QPolygonF tri;
    tri << QPointF(12, 44) << QPointF(25, 22) << QPointF(38, 44);
    p.setBrush(QColor(70, 120, 220));
    p.drawPolygon(tri);
}

} // namespace

QPixmap vtsMarkPicture(int mark)
{
    QPixmap pm(kVtsMarkPictureSize, kVtsMarkPictureSize);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    switch (mark) {
    case 0: disc(p, QRectF(3, 3, 44, 44)); break;
    case 1:
        disc(p, QRectF(1, 1, 36, 36));
        note(p);
        break;
    case 2: hardDisk(p); break;
    case 3: stick(p); break;
    case 4: folderAndGlass(p); break;
    case 5: various(p); break;
    default: break;
    }
    return pm;
}

} // namespace vt
