#include "platform/desktop_notifier.h"

#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>

namespace narrix {
namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");

} // namespace

DBusDesktopNotifier::DBusDesktopNotifier(bool sessionBusNamed)
{
    if (sessionBusNamed)
        bus_ = QDBusConnection::sessionBus();
}

DBusDesktopNotifier::DBusDesktopNotifier(const QDBusConnection& bus) : bus_(bus) {}

bool DBusDesktopNotifier::notify(const QString& summary, const QString& body)
{
    if (!bus_ || !bus_->isConnected())
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kService, QStringLiteral("Notify"));
    // app_name, replaces_id, app_icon, summary, body, actions, hints, expire_timeout (-1: the server's).
    call << QStringLiteral("Narrix") << 0U << QStringLiteral("narrix") << summary << body << QStringList()
         << QVariantMap() << -1;
    // A server that is not running answers at once with an error (or is started by the bus).
    const QDBusMessage reply = bus_->call(call, QDBus::Block, kReplyTimeoutMs);
    return reply.type() == QDBusMessage::ReplyMessage;
}

} // namespace narrix
