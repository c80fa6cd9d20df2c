#pragma once

#include <QStyledItemDelegate>

namespace narrix {

// Draws each cell as usual, then a light line along its bottom and right edges: the grid of a report
// list.
class GridItemDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

} // namespace narrix
