#include "desktop/window_bounds.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace narrix {
namespace {

// One axis: the length clamped to the room, the start moved so that start + length stays in it.
// 64-bit arithmetic: stored bounds may be anywhere in the 32-bit range.
void fitAxis(int& start, int& length, int roomStart, int roomLength, int minimumLength)
{
    const qint64 fitted = std::max<qint64>(std::min<qint64>(length, roomLength), minimumLength);
    qint64 from = std::min<qint64>(start, qint64(roomStart) + roomLength - fitted);
    from = std::max<qint64>(from, roomStart);
    start = static_cast<int>(from);
    length = static_cast<int>(fitted);
}

} // namespace

QRect boundsWithinScreen(const QRect& bounds, const QRect& available, const QSize& minimum)
{
    if (available.isEmpty())
        return bounds;
    int x = bounds.x(), y = bounds.y(), width = bounds.width(), height = bounds.height();
    fitAxis(x, width, available.x(), available.width(), std::max(minimum.width(), 1));
    fitAxis(y, height, available.y(), available.height(), std::max(minimum.height(), 1));
    return {x, y, width, height};
}

void fitIntoScreen(QWidget& window)
{
    const QRect bounds(window.pos(), window.size());
    const QScreen* screen = QGuiApplication::screenAt(bounds.center());
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    const QRect fitted = boundsWithinScreen(bounds, screen->availableGeometry(), window.minimumSize());
    if (fitted.topLeft() != bounds.topLeft())
        window.move(fitted.topLeft());
    if (fitted.size() != bounds.size())
        window.resize(fitted.size());
}

} // namespace narrix
