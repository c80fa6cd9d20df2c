#include "ui/circle_panel_shape.h"

#include <QPainter>

#include <cmath>

namespace narrix {

namespace {

// The corner's square and the box of the ellipse that rounds it.
struct CornerBoxes
{
    QRect square;
    QRect ellipse;
};

CornerBoxes cornerBoxes(Corner corner, const PanelCorner& c, QSize size)
{
    const int w = size.width();
    const int h = size.height();
    switch (corner) {
    case Corner::TopLeft:
        return {QRect(0, 0, c.x, c.y), QRect(0, 0, 2 * c.x, 2 * c.y)};
    case Corner::TopRight:
        return {QRect(w - c.x, 0, c.x, c.y), QRect(w - 2 * c.x, 0, 2 * c.x, 2 * c.y)};
    case Corner::BottomRight:
        return {QRect(w - c.x, h - c.y, c.x, c.y), QRect(w - 2 * c.x, h - 2 * c.y, 2 * c.x, 2 * c.y)};
    case Corner::BottomLeft:
        return {QRect(0, h - c.y, c.x, c.y), QRect(0, h - 2 * c.y, 2 * c.x, 2 * c.y)};
    }
    return {};
}

int roundedPart(int start, int end, int k, int last)
{
    return start + static_cast<int>(std::lround(static_cast<double>(end - start) * k / last));
}

} // namespace

QRegion panelShape(CornersType type, const PanelCorners& corners, QSize size)
{
    switch (type) {
    case CornersType::Default:
        return QRegion(QRect(QPoint(0, 0), size));
    case CornersType::Ellipse:
        return QRegion(QRect(QPoint(0, 0), size), QRegion::Ellipse);
    case CornersType::Corners:
        break;
    }
    // The rectangle leaves out the last column and row, as a rectangle region does.
    QRegion shape(0, 0, std::max(size.width() - 1, 0), std::max(size.height() - 1, 0));
    for (Corner corner : {Corner::TopLeft, Corner::TopRight, Corner::BottomLeft, Corner::BottomRight}) {
        const PanelCorner& c = corners[static_cast<std::size_t>(corner)];
        if (!c.enabled || c.x <= 0 || c.y <= 0)
            continue;
        const CornerBoxes boxes = cornerBoxes(corner, c, size);
        const QRegion outside = QRegion(boxes.square) - QRegion(boxes.ellipse, QRegion::Ellipse);
        shape -= outside;
    }
    return shape;
}

int gradientExtent(const PanelGradient& gradient, QSize size)
{
    if (gradient.size > 1)
        return gradient.size;
    switch (gradient.style) {
    case GradientStyle::Left:
    case GradientStyle::Right:
        return size.width();
    case GradientStyle::Top:
    case GradientStyle::Bottom:
        return size.height();
    case GradientStyle::LeftRight:
        return size.width() / 2;
    case GradientStyle::TopBottom:
        return size.height() / 2;
    }
    return 0;
}

int gradientBandCount(int extent)
{
    if (extent > kMaxGradientBands)
        return extent / (extent / kMaxGradientBands + 1) + 1;
    return std::max(extent, 0);
}

std::vector<QColor> gradientBands(const QColor& start, const QColor& end, int count)
{
    std::vector<QColor> bands;
    if (count <= 0)
        return bands;
    if (count == 1)
        return {start};
    bands.reserve(static_cast<std::size_t>(count));
    const int last = count - 1;
    for (int k = 0; k < count; ++k)
        bands.emplace_back(roundedPart(start.red(), end.red(), k, last),
                           roundedPart(start.green(), end.green(), k, last),
                           roundedPart(start.blue(), end.blue(), k, last));
    return bands;
}

QImage gradientPicture(const PanelGradient& gradient, QSize size, const QColor& background)
{
    if (!gradient.enabled || size.isEmpty())
        return {};
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(background);
    const int extent = gradientExtent(gradient, size);
    const std::vector<QColor> bands =
        gradientBands(gradient.colorStart, gradient.colorEnd, gradientBandCount(extent));
    if (bands.size() < 2) {
        // One band: no steps to spread it over.
        if (!bands.empty())
            picture.fill(bands.front());
        return picture;
    }
    const int t = extent / static_cast<int>(bands.size() - 1);
    const int w = size.width();
    const int h = size.height();
    QPainter painter(&picture);
    const auto paintFrom = [&](GradientStyle from) {
        for (std::size_t k = 0; k < bands.size(); ++k) {
            const int offset = static_cast<int>(k) * t;
            QRect band;
            switch (from) {
            case GradientStyle::Left:
                band = QRect(offset, 0, t, h);
                break;
            case GradientStyle::Right:
                band = QRect(w - 1 - offset - t + 1, 0, t, h);
                break;
            case GradientStyle::Top:
                band = QRect(0, offset, w, t);
                break;
            case GradientStyle::Bottom:
                band = QRect(0, h - 1 - offset - t + 1, w, t);
                break;
            default:
                break;
            }
            painter.fillRect(band, bands[k]);
        }
    };
    switch (gradient.style) {
    case GradientStyle::LeftRight:
        paintFrom(GradientStyle::Left);
        paintFrom(GradientStyle::Right);
        break;
    case GradientStyle::TopBottom:
        paintFrom(GradientStyle::Top);
        paintFrom(GradientStyle::Bottom);
        break;
    default:
        paintFrom(gradient.style);
        break;
    }
    return picture;
}

QRect imageRect(ImagePosition position, QPoint offset, QSize image, QSize panel)
{
    const int x = offset.x();
    const int y = offset.y();
    const int w = panel.width();
    const int h = panel.height();
    switch (position) {
    case ImagePosition::TopLeft:
    case ImagePosition::Tile:
        return QRect(QPoint(x, y), image);
    case ImagePosition::TopRight:
        return QRect(QPoint(w - x - image.width(), y), image);
    case ImagePosition::BottomRight:
        return QRect(QPoint(w - x - image.width(), h - y - image.height()), image);
    case ImagePosition::BottomLeft:
        return QRect(QPoint(x, h - y - image.height()), image);
    }
    return {};
}

} // namespace narrix
