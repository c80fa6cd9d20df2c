#include "app/toolbar_icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace narrix {
namespace {

constexpr int kSize = 16;

QPainterPath polygon(std::initializer_list<QPointF> points)
{
    QPainterPath path;
    auto it = points.begin();
    path.moveTo(*it);
    for (++it; it != points.end(); ++it)
        path.lineTo(*it);
    path.closeSubpath();
    return path;
}

void draw(QPainter& p, ToolbarGlyph glyph)
{
    const QColor ink(40, 40, 40);
    const QColor accent(30, 110, 200);
    p.setPen(QPen(ink, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    switch (glyph) {
    case ToolbarGlyph::New:
        p.setBrush(Qt::white);
        p.drawPath(polygon({{3.5, 1.5}, {10, 1.5}, {13.5, 5}, {13.5, 14.5}, {3.5, 14.5}}));
        p.drawPolyline(QPolygonF({{10, 1.5}, {10, 5}, {13.5, 5}}));
        break;
    case ToolbarGlyph::Open:
        p.setBrush(QColor(240, 200, 90));
        p.drawPath(polygon({{1.5, 3.5}, {6, 3.5}, {7.5, 5}, {14.5, 5}, {14.5, 13.5}, {1.5, 13.5}}));
        break;
    case ToolbarGlyph::Save:
        p.setBrush(accent);
        p.drawRect(QRectF(2.5, 2.5, 11, 11));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(5, 2.5, 6, 4));
        p.drawRect(QRectF(4.5, 9, 7, 4.5));
        break;
    case ToolbarGlyph::Play:
        p.setBrush(QColor(40, 150, 60));
        p.drawPath(polygon({{4.5, 2.5}, {13, 8}, {4.5, 13.5}}));
        break;
    case ToolbarGlyph::Pause:
        p.setBrush(ink);
        p.drawRect(QRectF(4, 3, 2.5, 10));
        p.drawRect(QRectF(9.5, 3, 2.5, 10));
        break;
    case ToolbarGlyph::Rewind:
        p.setBrush(ink);
        p.drawPath(polygon({{8, 3.5}, {1.5, 8}, {8, 12.5}}));
        p.drawPath(polygon({{14.5, 3.5}, {8, 8}, {14.5, 12.5}}));
        break;
    case ToolbarGlyph::FastForward:
        p.setBrush(ink);
        p.drawPath(polygon({{1.5, 3.5}, {8, 8}, {1.5, 12.5}}));
        p.drawPath(polygon({{8, 3.5}, {14.5, 8}, {8, 12.5}}));
        break;
    case ToolbarGlyph::Stop:
        p.setBrush(QColor(190, 40, 40));
        p.drawRect(QRectF(3.5, 3.5, 9, 9));
        break;
    case ToolbarGlyph::SpeechProperties:
        p.setBrush(ink);
        p.drawPath(polygon({{2, 6}, {5, 6}, {9, 2.5}, {9, 13.5}, {5, 10}, {2, 10}}));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(8, 4.5, 5, 7), -60 * 16, 120 * 16);
        p.drawArc(QRectF(8, 2.5, 7.5, 11), -60 * 16, 120 * 16);
        break;
    case ToolbarGlyph::Add:
        p.setPen(QPen(QColor(40, 150, 60), 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(8, 3), QPointF(8, 13));
        p.drawLine(QPointF(3, 8), QPointF(13, 8));
        break;
    case ToolbarGlyph::Edit:
        p.setBrush(QColor(240, 200, 90));
        p.drawPath(polygon({{3, 13}, {4, 10}, {11.5, 2.5}, {13.5, 4.5}, {6, 12}}));
        break;
    case ToolbarGlyph::Remove:
        p.setPen(QPen(QColor(190, 40, 40), 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
        break;
    case ToolbarGlyph::ChannelUpdate:
        p.setPen(QPen(accent, 2, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(3, 3, 10, 10), 60 * 16, 280 * 16);
        p.setPen(Qt::NoPen);
        p.setBrush(accent);
        p.drawPath(polygon({{9.5, 1}, {14, 3.5}, {9.5, 6.5}}));
        break;
    case ToolbarGlyph::Help: {
        p.setBrush(accent);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        p.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(5.5, 4, 5, 4.5), -90 * 16, 270 * 16);
        p.drawLine(QPointF(8, 8.5), QPointF(8, 9.5));
        p.drawPoint(QPointF(8, 12));
        break;
    }
    }
}

} // namespace

QIcon toolbarIcon(ToolbarGlyph glyph)
{
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter, glyph);
    painter.end();
    return QIcon(pixmap);
}

} // namespace narrix
