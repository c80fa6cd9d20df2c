#pragma once

// The geometry of the rounded panel: its window shape, the gradient's bands and the picture's place.
// Plain functions, so the rules are tested without painting.
#include <QColor>
#include <QImage>
#include <QRect>
#include <QRegion>
#include <QSize>

#include <array>
#include <vector>

namespace narrix {

enum class CornersType { Default, Corners, Ellipse };
enum class GradientStyle { Left, Right, Top, Bottom, LeftRight, TopBottom };
enum class ImagePosition { TopLeft, TopRight, BottomRight, BottomLeft, Tile };
enum class Corner { TopLeft, TopRight, BottomLeft, BottomRight };

struct PanelCorner
{
    int x = 10;
    int y = 10;
    bool enabled = true;
};

// Indexed by Corner.
using PanelCorners = std::array<PanelCorner, 4>;

struct PanelGradient
{
    QColor colorStart;
    QColor colorEnd;
    GradientStyle style = GradientStyle::Left;
    int size = 0; // 0: the whole extent
    bool enabled = false;
};

// The gradient bands are capped near this count: wider extents share a band among several pixels.
inline constexpr int kMaxGradientBands = 200;

// The window's shape for a panel of `size`.
QRegion panelShape(CornersType type, const PanelCorners& corners, QSize size);

// The extent the bands cover: width or height, half of it for the two-sided styles, or `Size` when
// above 1.
int gradientExtent(const PanelGradient& gradient, QSize size);
int gradientBandCount(int extent);
// Band k of n runs from the start colour to the end colour, each part rounded to the nearest integer.
std::vector<QColor> gradientBands(const QColor& start, const QColor& end, int count);
// The background picture: the panel's colour with the bands painted over it; null while the gradient
// is disabled.
QImage gradientPicture(const PanelGradient& gradient, QSize size, const QColor& background);

// Where a picture of `image` size is drawn (not used for Tile).
QRect imageRect(ImagePosition position, QPoint offset, QSize image, QSize panel);

} // namespace narrix
