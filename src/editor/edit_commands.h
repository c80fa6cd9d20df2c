#pragma once

class QWidget;

namespace narrix {

enum class EditCommand { Undo, Cut, Copy, Paste, Delete, SelectAll };

// Runs a standard edit operation on the focused control (text edits, line edits, lists). Read-only
// text keeps its content: only Copy and Select All act on it.
void runEditCommand(EditCommand command, QWidget* focused);

} // namespace narrix
