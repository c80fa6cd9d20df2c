#include "dialogs/dialog_pictures.h"

#include <QPainter>
#include <QPainterPath>

namespace narrix {
namespace {

QPixmap transparentPixmap(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

} // namespace

QPixmap lightBulbPicture(int size)
{
    QPixmap pixmap = transparentPixmap(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    p.setPen(QPen(QColor(120, 100, 0), s / 32));
    p.setBrush(QColor(255, 230, 80));
    p.drawEllipse(QRectF(s * 0.2, s * 0.05, s * 0.6, s * 0.6));
    p.setBrush(QColor(170, 170, 170));
    p.drawRect(QRectF(s * 0.36, s * 0.64, s * 0.28, s * 0.22));
    p.drawLine(QPointF(s * 0.36, s * 0.72), QPointF(s * 0.64, s * 0.72));
    p.drawLine(QPointF(s * 0.36, s * 0.79), QPointF(s * 0.64, s * 0.79));
    p.setBrush(QColor(90, 90, 90));
    p.drawRect(QRectF(s * 0.42, s * 0.86, s * 0.16, s * 0.08));
    return pixmap;
}

QPixmap programPicture(int size)
{
    QPixmap pixmap = transparentPixmap(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    QPainterPath balloon;
    balloon.addRoundedRect(QRectF(s * 0.05, s * 0.1, s * 0.62, s * 0.5), s * 0.12, s * 0.12);
    QPainterPath tail;
    tail.moveTo(s * 0.18, s * 0.55);
    tail.lineTo(s * 0.12, s * 0.8);
    tail.lineTo(s * 0.35, s * 0.58);
    balloon = balloon.united(tail);
    p.setPen(QPen(QColor(20, 60, 140), s / 28));
    p.setBrush(QColor(90, 150, 230));
    p.drawPath(balloon);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(20, 60, 140), s / 20, Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 3; ++i) {
        const qreal r = s * (0.12 + 0.1 * i);
        p.drawArc(QRectF(s * 0.62 - r, s * 0.35 - r, 2 * r, 2 * r), -40 * 16, 80 * 16);
    }
    return pixmap;
}

} // namespace narrix
