#pragma once

#include <QKeyCombination>
#include <QList>
#include <QObject>
#include <QString>

namespace narrix {

// One desktop-wide key: the command's id (what activated() reports), a description the desktop may
// show, and the key.
struct GlobalShortcut
{
    QString id;
    QString description;
    QKeyCombination keys;

    bool operator==(const GlobalShortcut&) const = default;
};

// A way to have keys reach the program while another program has the keyboard: the desktop portal's
// shortcut service, or key grabs on the X11 desktop.
class GlobalShortcutBackend : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

    // Replaces the keys bound before with `shortcuts`; an empty list leaves none.
    virtual void bind(const QList<GlobalShortcut>& shortcuts) = 0;

Q_SIGNALS:
    // The key of the shortcut with this id was pressed.
    void activated(const QString& id);
    // The key of the shortcut with this id could not be had; `reason` says why.
    void failed(const QString& id, const QString& reason);
};

} // namespace narrix
