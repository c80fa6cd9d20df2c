#pragma once

#include <QDBusConnection>
#include <QString>

#include <optional>

namespace narrix {

// Shows a desktop notification that asks nothing of the user and blocks nothing.
class DesktopNotifier
{
public:
    virtual ~DesktopNotifier() = default;
    // False when no notification server took it (the caller then says it another way).
    virtual bool notify(const QString& summary, const QString& body) = 0;
};

// Notifications through the desktop's org.freedesktop.Notifications service on the session bus.
class DBusDesktopNotifier final : public DesktopNotifier
{
public:
    // The session bus, but only when the environment names one (`sessionBusNamed`, from
    // DBUS_SESSION_BUS_ADDRESS): a bus is never launched.
    explicit DBusDesktopNotifier(bool sessionBusNamed);
    explicit DBusDesktopNotifier(const QDBusConnection& bus);

    bool notify(const QString& summary, const QString& body) override;

    // How long a notification server may take to answer.
    static constexpr int kReplyTimeoutMs = 2000;

private:
    std::optional<QDBusConnection> bus_;
};

} // namespace narrix
