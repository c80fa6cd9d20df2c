#include "ui/circle_panel.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace narrix {

TCirclePanel::TCirclePanel(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_Hover);
    setAutoFillBackground(false);
    reshape();
}

void TCirclePanel::setCornersType(CornersType type)
{
    cornersType_ = type;
    reshape();
}

void TCirclePanel::setCorner(Corner which, const PanelCorner& value)
{
    corners_[static_cast<std::size_t>(which)] = value;
    reshape();
}

void TCirclePanel::setGradient(const PanelGradient& gradient)
{
    gradient_ = gradient;
    rebuildBackground();
    update();
}

void TCirclePanel::setBorderColors(const QColor& top, const QColor& bottom)
{
    borderTop_ = top;
    borderBottom_ = bottom;
    update();
}

QColor TCirclePanel::borderTopColor() const
{
    return borderTop_.isValid() ? borderTop_ : palette().color(QPalette::Light);
}

QColor TCirclePanel::borderBottomColor() const
{
    return borderBottom_.isValid() ? borderBottom_ : palette().color(QPalette::Dark);
}

void TCirclePanel::setBevels(PanelBevel outer, PanelBevel inner, int bevelWidth, int borderWidth)
{
    bevelOuter_ = outer;
    bevelInner_ = inner;
    bevelWidth_ = std::max(bevelWidth, 1);
    borderWidth_ = std::max(borderWidth, 0);
    update();
}

void TCirclePanel::setCaption(const QString& caption, Qt::Alignment alignment)
{
    caption_ = caption;
    alignment_ = alignment;
    update();
}

void TCirclePanel::setPicture(const Picture& picture)
{
    picture_ = picture;
    update();
}

QRect TCirclePanel::pictureHitRect() const
{
    if (!picture_.visible || !picture_.enabled || picture_.position == ImagePosition::Tile ||
        picture_.index < 0 || picture_.index >= static_cast<int>(picture_.images.size()))
        return {};
    const QPixmap& image = picture_.images[static_cast<std::size_t>(picture_.index)];
    return imageRect(picture_.position, picture_.offset, image.deviceIndependentSize().toSize(), size());
}

void TCirclePanel::reshape()
{
    // The parent repaints behind the old outline, then the new shape applies.
    if (parentWidget())
        parentWidget()->update(geometry());
    setMask(panelShape(cornersType_, corners_, size()));
    rebuildBackground();
    update();
}

void TCirclePanel::rebuildBackground()
{
    PanelGradient gradient = gradient_;
    if (!gradient.colorStart.isValid())
        gradient.colorStart = palette().color(QPalette::Dark);
    if (!gradient.colorEnd.isValid())
        gradient.colorEnd = palette().color(QPalette::Button);
    background_ = gradientPicture(gradient, size(), palette().color(backgroundRole()));
}

void TCirclePanel::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    reshape();
}

void TCirclePanel::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        rebuildBackground();
        update();
    }
}

void TCirclePanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(backgroundRole()));
    if (!background_.isNull())
        painter.drawImage(0, 0, background_);
    paintPicture(painter);
    painter.setRenderHint(QPainter::Antialiasing);
    paintBevel(painter, bevelOuter_, 0);
    paintBevel(painter, bevelInner_, borderWidth_ + bevelWidth_);
    paintCaption(painter);
}

void TCirclePanel::paintPicture(QPainter& painter) const
{
    if (!picture_.visible || picture_.index < 0 || picture_.index >= static_cast<int>(picture_.images.size()))
        return;
    QPixmap image = picture_.images[static_cast<std::size_t>(picture_.index)];
    if (!picture_.enabled) {
        QImage grey = image.toImage().convertToFormat(QImage::Format_Grayscale8);
        image = QPixmap::fromImage(grey);
    }
    if (picture_.position == ImagePosition::Tile) {
        painter.drawTiledPixmap(rect(), image);
        return;
    }
    painter.drawPixmap(
        imageRect(picture_.position, picture_.offset, image.deviceIndependentSize().toSize(), size())
            .topLeft(),
        image);
}

void TCirclePanel::paintBevel(QPainter& painter, PanelBevel kind, int inset) const
{
    if (kind == PanelBevel::None)
        return;
    // A lowered bevel is lit from the bottom right.
    const bool lowered = kind == PanelBevel::Lowered;
    const QColor topLeft = lowered ? borderBottomColor() : borderTopColor();
    const QColor bottomRight = lowered ? borderTopColor() : borderBottomColor();
    switch (cornersType_) {
    case CornersType::Corners:
        paintCornerBevel(painter, inset, topLeft, bottomRight);
        break;
    case CornersType::Ellipse: {
        const qreal a = bevelWidth_ / 2.0 + inset;
        const QRectF box = QRectF(rect()).adjusted(a, a, -a - 1, -a - 1);
        painter.setPen(QPen(topLeft, bevelWidth_));
        painter.drawArc(box, 45 * 16, 180 * 16);
        painter.setPen(QPen(bottomRight, bevelWidth_));
        painter.drawArc(box, 225 * 16, 180 * 16);
        break;
    }
    case CornersType::Default: {
        const QRect frame = rect().adjusted(inset, inset, -inset - 1, -inset - 1);
        for (int i = 0; i < bevelWidth_; ++i) {
            const QRect r = frame.adjusted(i, i, -i, -i);
            painter.setPen(topLeft);
            painter.drawLine(r.topLeft(), r.topRight());
            painter.drawLine(r.topLeft(), r.bottomLeft());
            painter.setPen(bottomRight);
            painter.drawLine(r.bottomLeft(), r.bottomRight());
            painter.drawLine(r.topRight(), r.bottomRight());
        }
        break;
    }
    }
}

void TCirclePanel::paintCornerBevel(QPainter& painter, int inset, const QColor& topLeft,
                                    const QColor& bottomRight) const
{
    const int a = bevelWidth_ / 2 + inset;
    const int right = width() - 1 - bevelWidth_ % 2 - a;
    const int bottom = height() - 1 - bevelWidth_ % 2 - a;
    const auto radius = [this](Corner which) {
        const PanelCorner& c = corner(which);
        return c.enabled ? QSize(c.x, c.y) : QSize(0, 0);
    };
    const QSize tl = radius(Corner::TopLeft);
    const QSize tr = radius(Corner::TopRight);
    const QSize bl = radius(Corner::BottomLeft);
    const QSize br = radius(Corner::BottomRight);
    QPen pen(topLeft, bevelWidth_);
    painter.setPen(pen);
    painter.drawLine(QPointF(a, a + tl.height()), QPointF(a, bottom - bl.height()));
    painter.drawLine(QPointF(a + tl.width(), a), QPointF(right - tr.width(), a));
    // Each arc joins the two shortened edges that meet at its corner.
    if (!tl.isEmpty())
        painter.drawArc(QRectF(a, a, 2 * tl.width(), 2 * tl.height()), 90 * 16, 90 * 16);
    if (!tr.isEmpty())
        painter.drawArc(QRectF(right - 2 * tr.width(), a, 2 * tr.width(), 2 * tr.height()), 0, 90 * 16);
    pen.setColor(bottomRight);
    painter.setPen(pen);
    painter.drawLine(QPointF(right, a + tr.height()), QPointF(right, bottom - br.height()));
    painter.drawLine(QPointF(a + bl.width(), bottom), QPointF(right - br.width(), bottom));
    if (!br.isEmpty())
        painter.drawArc(
            QRectF(right - 2 * br.width(), bottom - 2 * br.height(), 2 * br.width(), 2 * br.height()),
            270 * 16, 90 * 16);
    if (!bl.isEmpty())
        painter.drawArc(QRectF(a, bottom - 2 * bl.height(), 2 * bl.width(), 2 * bl.height()), 180 * 16,
                        90 * 16);
}

void TCirclePanel::paintCaption(QPainter& painter) const
{
    if (caption_.isEmpty())
        return;
    const int inset = borderWidth_ + bevelWidth_;
    const QRect area = rect().adjusted(inset, inset, -inset, -inset);
    const int letterHeight = fontMetrics().boundingRect(QLatin1Char('W')).height();
    const QRect line(area.left(), area.top() + (area.height() - letterHeight) / 2, area.width(),
                     letterHeight);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(line, static_cast<int>(alignment_ | Qt::AlignVCenter | Qt::TextExpandTabs), caption_);
}

void TCirclePanel::mousePressEvent(QMouseEvent* event)
{
    pressOnPicture_ = pictureHitRect().contains(event->position().toPoint());
    if (pressOnPicture_)
        Q_EMIT imageMousePressed(event->position().toPoint());
    else
        QWidget::mousePressEvent(event);
}

void TCirclePanel::mouseMoveEvent(QMouseEvent* event)
{
    if (pictureHitRect().contains(event->position().toPoint()))
        Q_EMIT imageMouseMoved(event->position().toPoint());
    else
        QWidget::mouseMoveEvent(event);
}

void TCirclePanel::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    const bool onPicture = pictureHitRect().contains(at);
    if (onPicture)
        Q_EMIT imageMouseReleased(at);
    if (event->button() == Qt::LeftButton && rect().contains(at)) {
        if (onPicture && pressOnPicture_)
            Q_EMIT imageClicked();
        else
            Q_EMIT clicked();
    }
    pressOnPicture_ = false;
    if (!onPicture)
        QWidget::mouseReleaseEvent(event);
}

void TCirclePanel::enterEvent(QEnterEvent* event)
{
    QWidget::enterEvent(event);
    Q_EMIT mouseEntered();
}

void TCirclePanel::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    Q_EMIT mouseLeft();
}

} // namespace narrix
