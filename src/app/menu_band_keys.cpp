#include "app/menu_band_keys.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QToolButton>

namespace narrix {
namespace {

QAction* firstEnabledItem(const QMenu& menu)
{
    for (QAction* action : menu.actions()) {
        if (action->isEnabled() && action->isVisible() && !action->isSeparator())
            return action;
    }
    return nullptr;
}

} // namespace

MenuBandKeys::MenuBandKeys(QWidget* window, QList<QToolButton*> buttons)
    : QObject(window), buttons_(std::move(buttons))
{
    for (QToolButton* button : buttons_) {
        if (button->menu() != nullptr)
            button->menu()->installEventFilter(this);
    }
    auto* openFirst = new QAction(window);
    openFirst->setObjectName(QStringLiteral("actMenuBar"));
    openFirst->setShortcut(QKeySequence(Qt::Key_F10));
    openFirst->setShortcutContext(Qt::WindowShortcut);
    window->addAction(openFirst);
    connect(openFirst, &QAction::triggered, this, [this] { openMenu(0); });
}

void MenuBandKeys::openMenu(int index)
{
    if (buttons_.isEmpty())
        return;
    QToolButton* button = buttons_[(index % buttons_.size() + buttons_.size()) % buttons_.size()];
    QMenu* menu = button->menu();
    if (menu == nullptr || !button->isEnabled())
        return;
    // Shown without a loop of its own (the button's showMenu would nest one loop per move, and a
    // button refuses to open its menu again from inside its own loop).
    menu->popup(button->mapToGlobal(QPoint(0, button->height())));
    menu->setActiveAction(firstEnabledItem(*menu));
}

bool MenuBandKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* menu = qobject_cast<QMenu*>(watched);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (menu == nullptr || (key != Qt::Key_Left && key != Qt::Key_Right))
        return false;
    // Right on an item with a submenu opens the submenu, as in any menu.
    if (key == Qt::Key_Right && menu->activeAction() != nullptr && menu->activeAction()->menu() != nullptr)
        return false;
    int index = 0;
    while (index < buttons_.size() && buttons_[index]->menu() != menu)
        ++index;
    if (index == buttons_.size())
        return false;
    menu->close();
    openMenu(key == Qt::Key_Left ? index - 1 : index + 1);
    return true;
}

} // namespace narrix
