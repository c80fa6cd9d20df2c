#include "app/splitter_bar.h"

#include "app/pane_layout.h"

#include <QMouseEvent>

namespace narrix {

SplitterBar::SplitterBar(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), orientation_(orientation)
{
    // Horizontal: the bar stands between a left and a right pane and moves left and right.
    if (orientation_ == Qt::Horizontal) {
        setCursor(Qt::SplitHCursor);
        setFixedWidth(kSplitterWidth);
    } else {
        setCursor(Qt::SplitVCursor);
        setFixedHeight(kSplitterWidth);
    }
}

// The bar moves while it is dragged: the mouse position is taken in the parent's coordinates.
QPoint SplitterBar::inParentOf(const QMouseEvent* event) const
{
    return parentWidget() != nullptr ? parentWidget()->mapFromGlobal(event->globalPosition().toPoint())
                                     : event->position().toPoint();
}

int SplitterBar::along(QPoint point) const
{
    return orientation_ == Qt::Horizontal ? point.x() : point.y();
}

void SplitterBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    grabOffset_ = along(event->position().toPoint());
}

void SplitterBar::mouseMoveEvent(QMouseEvent* event)
{
    if (grabOffset_ < 0)
        return QWidget::mouseMoveEvent(event);
    Q_EMIT dragged(along(inParentOf(event)) - grabOffset_);
}

void SplitterBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (grabOffset_ >= 0 && event->button() == Qt::LeftButton) {
        Q_EMIT dragged(along(inParentOf(event)) - grabOffset_);
        grabOffset_ = -1;
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

} // namespace narrix
