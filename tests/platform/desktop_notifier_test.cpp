// Desktop notifications over a private session bus: the stand-in server receives what was sent; with
// no server on the bus, or no bus at all, notify() says it was not shown.
#include "platform/desktop_notifier.h"
#include "support/private_session_bus.h"

#include <QDBusConnection>
#include <gtest/gtest.h>

namespace narrix {
namespace {

TEST(DesktopNotifier, ReachesTheNotificationServerOrSaysItCouldNot)
{
    testing::PrivateSessionBus bus;
    ASSERT_FALSE(bus.address().isEmpty()) << "dbus-daemon did not start";
    const QDBusConnection connection =
        QDBusConnection::connectToBus(bus.address(), QStringLiteral("notifier"));
    ASSERT_TRUE(connection.isConnected());
    DBusDesktopNotifier notifier(connection);

    EXPECT_FALSE(notifier.notify(QStringLiteral("News"), QStringLiteral("nobody listens")))
        << "no notification server on the bus";

    ASSERT_TRUE(bus.startNotificationServer());
    EXPECT_TRUE(notifier.notify(QStringLiteral("News"),
                                QStringLiteral("Narrix cannot receive data from this channel.\n"
                                               "Details: the server answered 404 Not Found.")));
    EXPECT_EQ(bus.notifications(),
              QStringList{QStringLiteral("Narrix|News|Narrix cannot receive data from this channel.\\n"
                                         "Details: the server answered 404 Not Found.")});
    QDBusConnection::disconnectFromBus(QStringLiteral("notifier"));

    // No session bus configured: nothing is launched, nothing shown.
    DBusDesktopNotifier withoutBus(false);
    EXPECT_FALSE(withoutBus.notify(QStringLiteral("News"), QStringLiteral("no bus")));
}

} // namespace
} // namespace narrix
