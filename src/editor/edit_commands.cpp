#include "editor/edit_commands.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace narrix {
namespace {

template <typename Edit> void onTextEdit(EditCommand command, Edit* edit)
{
    const bool changes = command != EditCommand::Copy && command != EditCommand::SelectAll;
    if (changes && edit->isReadOnly())
        return;
    switch (command) {
    case EditCommand::Undo:
        edit->undo();
        break;
    case EditCommand::Cut:
        edit->cut();
        break;
    case EditCommand::Copy:
        edit->copy();
        break;
    case EditCommand::Paste:
        edit->paste();
        break;
    case EditCommand::Delete: {
        auto cursor = edit->textCursor();
        cursor.removeSelectedText();
        edit->setTextCursor(cursor);
        break;
    }
    case EditCommand::SelectAll:
        edit->selectAll();
        break;
    }
}

} // namespace

void runEditCommand(EditCommand command, QWidget* focused)
{
    if (auto* rich = qobject_cast<QTextEdit*>(focused)) {
        onTextEdit(command, rich);
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(focused)) {
        onTextEdit(command, plain);
    } else if (auto* line = qobject_cast<QLineEdit*>(focused)) {
        const bool changes = command != EditCommand::Copy && command != EditCommand::SelectAll;
        if (changes && line->isReadOnly())
            return;
        switch (command) {
        case EditCommand::Undo:
            line->undo();
            break;
        case EditCommand::Cut:
            line->cut();
            break;
        case EditCommand::Copy:
            line->copy();
            break;
        case EditCommand::Paste:
            line->paste();
            break;
        case EditCommand::Delete:
            if (line->hasSelectedText())
                line->del();
            break;
        case EditCommand::SelectAll:
            line->selectAll();
            break;
        }
    } else if (auto* view = qobject_cast<QAbstractItemView*>(focused)) {
        if (command == EditCommand::SelectAll)
            view->selectAll();
    }
}

} // namespace narrix
