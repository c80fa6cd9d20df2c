// The tray's menu over D-Bus: on a private session bus a stand-in StatusNotifierWatcher takes the
// registration of the real narrix (on an X server of the test's own), and the test reads the item's
// menu as a tray host does, clicks the clipboard twin and sees its tick go, in the layout and in the
// settings the program saves.
#include "support/narrix_process.h"
#include "support/private_session_bus.h"
#include "support/xvfb_server.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <csignal>

namespace {

const QString kMenuInterface = QStringLiteral("com.canonical.dbusmenu");

// As much of a StatusNotifierWatcher as Qt asks for: a host is registered, items register.
class StandInWatcher : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(bool IsStatusNotifierHostRegistered READ hostRegistered)
public:
    bool hostRegistered() const { return true; }
    QStringList items;

public Q_SLOTS:
    void RegisterStatusNotifierItem(const QString& service) { items << service; }
};

// One entry of a DBusMenu layout: (ia{sv}av), its children as variants of the same.
struct MenuEntry
{
    int id = 0;
    QVariantMap properties;
    QList<MenuEntry> children;
};

MenuEntry readEntry(const QDBusArgument& argument)
{
    MenuEntry entry;
    argument.beginStructure();
    argument >> entry.id >> entry.properties;
    argument.beginArray();
    while (!argument.atEnd()) {
        QDBusVariant child;
        argument >> child;
        entry.children << readEntry(qvariant_cast<QDBusArgument>(child.variant()));
    }
    argument.endArray();
    argument.endStructure();
    return entry;
}

// A line per item as a host would draw it: the label (or "-" for a separator), "[x]"/"[ ]" for a
// check item, "(greyed)" when disabled.
QStringList drawn(const MenuEntry& root)
{
    QStringList lines;
    for (const MenuEntry& item : root.children) {
        const QVariantMap& p = item.properties;
        if (p.value(QStringLiteral("type")).toString() == QLatin1String("separator")) {
            lines << QStringLiteral("-");
            continue;
        }
        QString line = p.value(QStringLiteral("label")).toString();
        if (p.value(QStringLiteral("toggle-type")).toString() == QLatin1String("checkmark"))
            line += p.value(QStringLiteral("toggle-state")).toInt() == 1 ? QStringLiteral(" [x]")
                                                                         : QStringLiteral(" [ ]");
        if (!p.value(QStringLiteral("enabled"), true).toBool())
            line += QStringLiteral(" (greyed)");
        lines << line;
    }
    return lines;
}

class TrayMenuE2E : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(qEnvironmentVariable("NARRIX_EXE").isEmpty());
        ASSERT_FALSE(bus_.address().isEmpty()) << "dbus-daemon did not start";
        QString problem;
        ASSERT_TRUE(x_.start(&problem)) << problem.toStdString();
        connection_ = QDBusConnection::connectToBus(bus_.address(), QStringLiteral("tray-host"));
        ASSERT_TRUE(connection_.isConnected());
        ASSERT_TRUE(connection_.registerObject(QStringLiteral("/StatusNotifierWatcher"), &watcher_,
                                               QDBusConnection::ExportAllSlots |
                                                   QDBusConnection::ExportAllProperties));
        ASSERT_TRUE(connection_.registerService(QStringLiteral("org.kde.StatusNotifierWatcher")));
    }
    void TearDown() override { QDBusConnection::disconnectFromBus(QStringLiteral("tray-host")); }

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = x_.environment();
        const QString run = root_.filePath(QStringLiteral("run"));
        QDir().mkpath(run);
        QFile::setPermissions(run, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), run);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), root_.filePath(QStringLiteral("config")));
        env.insert(QStringLiteral("NARRIX_DATA_DIR"), root_.filePath(QStringLiteral("data")));
        env.insert(QStringLiteral("NARRIX_AUDIO"), QStringLiteral("null"));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus_.address());
        env.remove(QStringLiteral("QT_QPA_PLATFORMTHEME"));
        env.remove(QStringLiteral("NARRIX_SPEECH_LOG"));
        return env;
    }

    QString settingsPath() const { return root_.filePath(QStringLiteral("config/Quillmark/Narrix.conf")); }

    void writeSettings() const
    {
        QDir().mkpath(root_.filePath(QStringLiteral("config/Quillmark")));
        QSettings stored(settingsPath(), QSettings::IniFormat);
        stored.setValue(QStringLiteral("FontCharset"), QStringLiteral("0"));
        stored.setValue(QStringLiteral("ShowTips"), QStringLiteral("False"));
        stored.setValue(QStringLiteral("TellTime"), QStringLiteral("Never"));
        stored.setValue(QStringLiteral("Greetings"), QStringLiteral("<nil>"));
    }

    QDBusMessage call(const QString& service, const QString& path, const QString& interface,
                      const QString& method, const QVariantList& arguments) const
    {
        QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
        message.setArguments(arguments);
        return connection_.call(message, QDBus::Block, 10000);
    }

    // The item's menu, read as a host reads it: the Menu property, then GetLayout of the whole tree.
    QStringList menuOf(const QString& item, QString* menuPath) const
    {
        const QDBusMessage property = call(
            item, QStringLiteral("/StatusNotifierItem"), QStringLiteral("org.freedesktop.DBus.Properties"),
            QStringLiteral("Get"), {QStringLiteral("org.kde.StatusNotifierItem"), QStringLiteral("Menu")});
        if (property.type() != QDBusMessage::ReplyMessage)
            return {property.errorMessage()};
        *menuPath = qvariant_cast<QDBusObjectPath>(
                        qvariant_cast<QDBusVariant>(property.arguments().value(0)).variant())
                        .path();
        const QDBusMessage layout =
            call(item, *menuPath, kMenuInterface, QStringLiteral("GetLayout"), {0, -1, QStringList()});
        if (layout.type() != QDBusMessage::ReplyMessage || layout.arguments().size() != 2)
            return {layout.errorMessage()};
        rootEntry_ = readEntry(qvariant_cast<QDBusArgument>(layout.arguments().at(1)));
        return drawn(rootEntry_);
    }

    int idOf(const QString& label) const
    {
        for (const MenuEntry& item : rootEntry_.children)
            if (item.properties.value(QStringLiteral("label")).toString() == label)
                return item.id;
        return -1;
    }

    QTemporaryDir root_;
    narrix::testing::PrivateSessionBus bus_;
    narrix::testing::XvfbServer x_;
    QDBusConnection connection_{QString()};
    StandInWatcher watcher_;
    mutable MenuEntry rootEntry_;
};

TEST_F(TrayMenuE2E, TheHostReadsTheMenuAndAClickedTwinTogglesItsToolsSwitch)
{
    writeSettings();
    narrix::testing::NarrixProcess narrix(environment());
    ASSERT_TRUE(narrix.start());
    // The watcher answers narrix's questions while the test waits.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !watcher_.items.isEmpty(); }, 60000))
        << narrix.readErrors().toStdString();
    const QString item = watcher_.items.constFirst();

    QString menuPath;
    const QStringList expected{QStringLiteral("_Open"),
                               QStringLiteral("-"),
                               QStringLiteral("_Real-Time Speech [x]"),
                               QStringLiteral("_Clipboard Speech [x]"),
                               QStringLiteral("_Scheduled Speech [x]"),
                               QStringLiteral("-"),
                               QStringLiteral("_Stop Reading (greyed)"),
                               QStringLiteral("-"),
                               QStringLiteral("E_xit")};
    QStringList menu;
    const auto shows = [&](const QStringList& lines) {
        return QTest::qWaitFor([&] { return (menu = menuOf(item, &menuPath)) == lines; }, 20000);
    };
    const auto text = [](const QStringList& lines) { return lines.join(QLatin1Char('|')).toStdString(); };
    // The layout fills in as the window's start-up ends.
    ASSERT_TRUE(shows(expected)) << menuPath.toStdString() << ": " << text(menu);

    // A click from the host goes to the twin, which moves the Tools switch; the layout shows it.
    const int clip = idOf(QStringLiteral("_Clipboard Speech"));
    ASSERT_GT(clip, 0);
    const QDBusMessage clicked =
        call(item, menuPath, kMenuInterface, QStringLiteral("Event"),
             {clip, QStringLiteral("clicked"), QVariant::fromValue(QDBusVariant(0)), 0u});
    ASSERT_EQ(clicked.type(), QDBusMessage::ReplyMessage) << clicked.errorMessage().toStdString();
    QStringList after = expected;
    after[3] = QStringLiteral("_Clipboard Speech [ ]");
    EXPECT_TRUE(shows(after)) << text(menu);

    EXPECT_TRUE(narrix.stopWith(SIGTERM)) << narrix.errors().toStdString();
    QSettings saved(settingsPath(), QSettings::IniFormat);
    EXPECT_EQ(saved.value(QStringLiteral("EnableClipboard")).toString(), QStringLiteral("False"));
    EXPECT_EQ(saved.value(QStringLiteral("EnableRealtime")).toString(), QStringLiteral("True"));
}

} // namespace

#include "tray_menu_e2e_test.moc"
