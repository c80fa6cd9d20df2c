#pragma once

#include <QWidget>

namespace narrix {

// A 4-pixel bar between two panes that the user drags. It does not move anything itself: it reports
// where its leading edge should go (in the parent's coordinates) and the owner lays the panes out.
class SplitterBar : public QWidget
{
    Q_OBJECT
public:
    explicit SplitterBar(Qt::Orientation orientation, QWidget* parent = nullptr);

    Qt::Orientation orientation() const { return orientation_; }

Q_SIGNALS:
    void dragged(int wantedPosition);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPoint inParentOf(const QMouseEvent* event) const;
    int along(QPoint point) const;

    Qt::Orientation orientation_;
    int grabOffset_ = -1; // where in the bar the mouse took hold; -1 while not dragging
};

} // namespace narrix
