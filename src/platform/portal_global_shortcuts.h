#pragma once

#include "platform/global_shortcut_backend.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QVariantMap>

#include <functional>

class QDBusArgument;

namespace narrix {

// One shortcut as the portal's BindShortcuts takes it and its Response lists it: an id and its
// properties ("description", "preferred_trigger", "trigger_description").
struct PortalShortcut
{
    QString id;
    QVariantMap properties;
};
QDBusArgument& operator<<(QDBusArgument& argument, const PortalShortcut& shortcut);
const QDBusArgument& operator>>(const QDBusArgument& argument, PortalShortcut& shortcut);

// Desktop-wide keys through the desktop portal's GlobalShortcuts interface: a session of our own
// (CreateSession), the keys bound in it as preferred triggers (BindShortcuts; the desktop may ask the
// user and choose other keys), and its Activated signal. Every call is asynchronous; binding anew
// closes the session before and starts another.
class PortalGlobalShortcuts final : public GlobalShortcutBackend
{
    Q_OBJECT
public:
    static inline const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
    static inline const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
    static inline const QString kInterface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");

    explicit PortalGlobalShortcuts(const QDBusConnection& bus);
    ~PortalGlobalShortcuts() override;

    // Asks `bus` whether a portal offers the shortcut interface (its version property) and tells
    // `answer` once it knows; `context` going first drops the answer.
    static void probe(const QDBusConnection& bus, QObject* context, std::function<void(bool)> answer);

    void bind(const QList<GlobalShortcut>& shortcuts) override;

public Q_SLOTS:
    // The portal's Activated signal: session handle, shortcut id, time stamp, options (the bus calls
    // public slots only).
    void onActivated(const QDBusMessage& message);

private:
    using Response = std::function<void(uint code, const QVariantMap& results)>;
    // Calls `method` of the shortcut interface with `arguments` (the options last, to which the
    // request's handle token is added) and hands the request's Response to `done`.
    void request(const QString& method, QVariantList arguments, Response done);
    void createSession(int generation);
    void bindInSession(int generation);
    void closeSession();
    void failAll(const QString& reason);
    QString nextToken();

    QDBusConnection bus_;
    QList<GlobalShortcut> shortcuts_;
    QString session_;
    // Each bind() counts up, so the answers to an earlier one are ignored.
    int generation_ = 0;
    int tokens_ = 0;
};

} // namespace narrix

Q_DECLARE_METATYPE(narrix::PortalShortcut)
