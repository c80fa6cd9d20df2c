#pragma once

#include <QRect>
#include <QSize>

class QWidget;

namespace narrix {

// Stored window bounds made to fit the screen's available area: no wider or higher than the area
// (but never below `minimum`), then moved so that the whole window lies inside it.
QRect boundsWithinScreen(const QRect& bounds, const QRect& available, const QSize& minimum);

// Applies boundsWithinScreen to the window before it is shown, with the available area of the screen
// that holds the window's centre (the primary screen when none does).
void fitIntoScreen(QWidget& window);

} // namespace narrix
