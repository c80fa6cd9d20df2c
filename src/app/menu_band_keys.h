#pragma once

#include <QList>
#include <QObject>

class QMenu;
class QToolButton;

namespace narrix {

// Makes a row of menu buttons act like a menu bar for the keyboard: F10 (an action added to the
// window) opens the first menu, and Left and Right in an open menu close it and open the
// neighbouring one, wrapping at the ends. Right on an item with a submenu still opens the submenu.
class MenuBandKeys : public QObject
{
public:
    MenuBandKeys(QWidget* window, QList<QToolButton*> buttons);

    // Opens the menu of button `index` (wrapping around) below its button, its first item selected.
    void openMenu(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QList<QToolButton*> buttons_;
};

} // namespace narrix
