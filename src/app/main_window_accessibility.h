#pragma once

class QLabel;
class QWidget;

namespace narrix {

// Gives the main window's controls the accessible names and descriptions a screen reader speaks: the
// panes, bars and splitters by object name, the menu buttons "Opens the ... menu", the toolbar
// buttons their commands' hints. Captions Qt already reads (buttons with text) keep their own names.
void applyMainWindowAccessibility(QWidget& window);

// Tells assistive technology that the status text changed, so that it is announced as it changes.
void announceStatusText(QLabel& statusLabel);

} // namespace narrix
