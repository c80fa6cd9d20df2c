#include "ui/access_keys.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMap>
#include <QMenu>
#include <QTabBar>
#include <QToolButton>

namespace narrix {
namespace {

// Groups captions by access key and lists every key used more than once.
QStringList clashesOf(const QStringList& captions)
{
    QMap<QChar, QStringList> byKey;
    for (const QString& caption : captions) {
        const QChar key = accessKeyOf(caption);
        if (!key.isNull())
            byKey[key] << caption;
    }
    QStringList clashes;
    for (auto it = byKey.cbegin(); it != byKey.cend(); ++it) {
        if (it.value().size() > 1)
            clashes << QStringLiteral("%1: %2").arg(it.key().toUpper(),
                                                    it.value().join(QStringLiteral(", ")));
    }
    return clashes;
}

} // namespace

QChar accessKeyOf(const QString& caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&'))
            continue;
        if (caption[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return caption[i + 1].toLower();
    }
    return {};
}

QStringList accessKeyClashes(const QMenu& menu)
{
    QStringList captions;
    for (const QAction* action : menu.actions()) {
        if (action->isVisible() && !action->isSeparator())
            captions << action->text();
    }
    return clashesOf(captions);
}

QStringList accessKeyClashes(const QWidget& dialog)
{
    QStringList captions;
    for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
        if (!button->isHidden())
            captions << button->text();
    }
    for (const QGroupBox* box : dialog.findChildren<QGroupBox*>())
        captions << box->title();
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->buddy() != nullptr)
            captions << label->text();
    }
    for (const QTabBar* tabs : dialog.findChildren<QTabBar*>()) {
        for (int i = 0; i < tabs->count(); ++i)
            captions << tabs->tabText(i);
    }
    return clashesOf(captions);
}

QStringList controlsWithoutAccessibleName(const QWidget& root)
{
    QStringList missing;
    for (QWidget* widget : root.findChildren<QWidget*>()) {
        const bool menuButton = qobject_cast<QToolButton*>(widget) != nullptr;
        if (widget->focusPolicy() == Qt::NoFocus && !menuButton)
            continue;
        // The line edit inside a spin box or combo box is part of it: the box carries the name.
        if (qobject_cast<QAbstractSpinBox*>(widget->parentWidget()) != nullptr ||
            qobject_cast<QComboBox*>(widget->parentWidget()) != nullptr)
            continue;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        if (accessible == nullptr || accessible->text(QAccessible::Name).trimmed().isEmpty())
            missing << widget->objectName() + QLatin1Char(' ') +
                           QString::fromLatin1(widget->metaObject()->className());
    }
    return missing;
}

} // namespace narrix
