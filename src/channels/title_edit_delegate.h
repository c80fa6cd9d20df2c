#pragma once

#include "channels/grid_item_delegate.h"

#include <functional>

namespace narrix {

// The schedule list's cells, whose titles are renamed in place: the text the user ends the edit with
// goes to `titleEdited` (row, text), called once the editor has closed, instead of straight into the
// model, so the title rules can refuse it with a message box.
class TitleEditDelegate : public GridItemDelegate
{
    Q_OBJECT
public:
    using GridItemDelegate::GridItemDelegate;

    std::function<void(int row, const QString& text)> titleEdited;
    bool editing() const { return openEditors_ > 0; }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

private:
    mutable int openEditors_ = 0;
    mutable bool pending_ = false;
};

} // namespace narrix
