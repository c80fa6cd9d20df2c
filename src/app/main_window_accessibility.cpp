#include "app/main_window_accessibility.h"

#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

namespace narrix {
namespace {

struct AccessibleText
{
    const char16_t* objectName;
    const char16_t* name; // nullptr: the control's own caption is its name
    const char16_t* description;
};

constexpr AccessibleText kControls[] = {
    {u"RTFB", u"Document", u"The text Narrix reads aloud. Type, paste, open or drop a document here."},
    {u"lblDocument", nullptr, u"The name of the document in the editor"},
    {u"ListView1", u"Scheduled Speeches",
     u"Channels that read web pages, files and mailboxes at their times. Enter runs the selected channel."},
    {u"RealTime", u"Real-Time Buffer", u"The words typed in other programs, spoken as each one is completed"},
    {u"MenuBand", u"Menu bar", nullptr},
    {u"ToolBand", u"Toolbar", nullptr},
    {u"ToolBar2", u"Speech properties bar", nullptr},
    {u"Animate1", u"Narrix logo", u"Moves while Narrix speaks"},
    {u"split", u"Splitter between the document and the lists", u"Drag to change the width of the document"},
    {u"Splitter1", u"Splitter between the scheduled speeches and the real-time buffer",
     u"Drag to change the height of the scheduled speeches"},
    {u"sb", u"Status bar", nullptr},
    {u"sbText", nullptr, u"What Narrix is doing"},
};

QString plainCaption(QString caption)
{
    caption.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    caption.remove(QLatin1Char('&'));
    caption.replace(QStringLiteral("\x01"), QStringLiteral("&"));
    if (caption.endsWith(QStringLiteral("...")))
        caption.chop(3);
    return caption;
}

} // namespace

void applyMainWindowAccessibility(QWidget& window)
{
    for (const AccessibleText& entry : kControls) {
        QWidget* control = window.findChild<QWidget*>(QString::fromUtf16(entry.objectName));
        if (control == nullptr)
            continue;
        if (entry.name != nullptr)
            control->setAccessibleName(QString::fromUtf16(entry.name));
        if (entry.description != nullptr)
            control->setAccessibleDescription(QString::fromUtf16(entry.description));
    }
    for (QToolButton* button : window.findChildren<QToolButton*>()) {
        if (button->objectName() == QStringLiteral("qt_toolbar_ext_button")) {
            // Shown when a narrow window hides some of a bar's buttons.
            button->setAccessibleName(QStringLiteral("More commands"));
        } else if (button->menu() != nullptr && button->defaultAction() == nullptr) {
            button->setAccessibleDescription(
                QStringLiteral("Opens the %1 menu").arg(plainCaption(button->text())));
        } else if (const QAction* action = button->defaultAction()) {
            // Toolbar buttons show an icon only: their name is the hint a mouse user sees, and the
            // menu command's caption when that differs ("Help": the command "Contents").
            const QString name = plainCaption(action->toolTip());
            button->setAccessibleName(name);
            if (plainCaption(action->text()) != name)
                button->setAccessibleDescription(plainCaption(action->text()));
        }
    }
}

void announceStatusText(QLabel& statusLabel)
{
    QAccessibleEvent nameChanged(&statusLabel, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&nameChanged);
    QAccessibleEvent alert(&statusLabel, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

} // namespace narrix
