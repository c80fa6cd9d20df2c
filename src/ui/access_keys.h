#pragma once

#include <QString>
#include <QStringList>

class QMenu;
class QWidget;

namespace narrix {

// The access key of a caption: the character after a single '&' ("&&" is a literal ampersand),
// lower-cased; a null character when there is none.
QChar accessKeyOf(const QString& caption);

// Captions sharing an access key, one line per clash ("E: &Edit, &Exit"), for a menu's items and for
// the controls of a dialog (buttons, check and radio boxes, group boxes, tabs and labels with a buddy).
// Empty when every access key is unique.
QStringList accessKeyClashes(const QMenu& menu);
QStringList accessKeyClashes(const QWidget& dialog);

// The controls under `root` a user can reach with the keyboard (or a menu button) whose accessible
// name is empty, by object name and class: what a screen reader could only call "button".
QStringList controlsWithoutAccessibleName(const QWidget& root);

} // namespace narrix
