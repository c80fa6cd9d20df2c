#include "channels/title_edit_delegate.h"

#include <QLineEdit>
#include <QPersistentModelIndex>
#include <QTimer>

namespace narrix {

QWidget* TitleEditDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                         const QModelIndex& index) const
{
    QWidget* editor = GridItemDelegate::createEditor(parent, option, index);
    if (editor != nullptr) {
        editor->setObjectName(QStringLiteral("edRename"));
        ++openEditors_;
    }
    return editor;
}

void TitleEditDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const
{
    --openEditors_;
    GridItemDelegate::destroyEditor(editor, index);
}

void TitleEditDelegate::setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const
{
    auto* line = qobject_cast<QLineEdit*>(editor);
    if (line == nullptr || !titleEdited)
        return;
    // A message box shown while the editor still exists would take its focus, and the focus loss
    // would commit the edit a second time: check the title once the editor is gone.
    // The same edit committed twice (Enter, then the closing editor's focus loss) is checked once.
    if (pending_)
        return;
    pending_ = true;
    const QPersistentModelIndex row(index);
    QTimer::singleShot(0, this, [this, row, text = line->text()] {
        pending_ = false;
        if (row.isValid() && titleEdited)
            titleEdited(row.row(), text);
    });
}

} // namespace narrix
