// Desktop-wide keys: set in Options by the keyboard alone and bound through a stand-in of the desktop
// portal on a private session bus, whose Activated signal reads the clipboard aloud; and as key grabs
// on an X server of the test's own, where a key pressed through XTEST reads it, whatever Num Lock says,
// while a key that another client holds is reported.
#include "desktop/global_shortcuts.h"

#include "app/tf_main.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_desktop_opener.h"
#include "fakes/fake_keyboard_state.h"
#include "options/options_command.h"
#include "platform/portal_global_shortcuts.h"
#include "speech_sources/speech_sources_plugin.h"
#include "support/main_window_harness.h"
#include "support/modal_driver.h"
#include "support/private_session_bus.h"
#include "support/xvfb_server.h"

#include <QClipboard>
#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QGuiApplication>
#include <QKeySequenceEdit>
#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

#include <X11/Xlib.h>

namespace narrix {
namespace {

// The portal's shortcut interface as far as Narrix uses it: it answers each request with a Response
// on the request's object, records the shortcuts bound and sends Activated when told.
class PortalStandIn final : public QDBusVirtualObject
{
public:
    explicit PortalStandIn(const QDBusConnection& bus) : bus_(bus) {}

    QList<PortalShortcut> bound;
    QString session;

    QString introspect(const QString&) const override { return {}; }

    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override
    {
        const QString member = message.member();
        if (message.interface() == QLatin1String("org.freedesktop.DBus.Properties")) {
            connection.send(message.createReply(QVariant::fromValue(QDBusVariant(2u))));
            return true;
        }
        if (message.interface() == QLatin1String("org.freedesktop.portal.Session")) {
            connection.send(message.createReply());
            return true;
        }
        if (message.interface() != PortalGlobalShortcuts::kInterface || message.arguments().isEmpty())
            return false;
        const QVariantMap options = qdbus_cast<QVariantMap>(message.arguments().last());
        QString sender = message.service().mid(1);
        sender.replace(QLatin1Char('.'), QLatin1Char('_'));
        const QString requestPath = PortalGlobalShortcuts::kPath + QStringLiteral("/request/") + sender +
                                    QLatin1Char('/') +
                                    options.value(QStringLiteral("handle_token")).toString();
        QVariantMap results;
        if (member == QLatin1String("CreateSession")) {
            session = PortalGlobalShortcuts::kPath + QStringLiteral("/session/") + sender + QLatin1Char('/') +
                      options.value(QStringLiteral("session_handle_token")).toString();
            results.insert(QStringLiteral("session_handle"), session);
        } else if (member == QLatin1String("BindShortcuts")) {
            EXPECT_EQ(message.arguments().at(0).value<QDBusObjectPath>().path(), session);
            bound = qdbus_cast<QList<PortalShortcut>>(message.arguments().at(1));
        } else {
            return false;
        }
        connection.send(message.createReply(QVariant::fromValue(QDBusObjectPath(requestPath))));
        QDBusMessage response = QDBusMessage::createSignal(
            requestPath, QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"));
        response << 0u << results;
        connection.send(response);
        return true;
    }

    void activate(const QString& id)
    {
        QDBusMessage signal = QDBusMessage::createSignal(
            PortalGlobalShortcuts::kPath, PortalGlobalShortcuts::kInterface, QStringLiteral("Activated"));
        signal << QVariant::fromValue(QDBusObjectPath(session)) << id << qulonglong(1) << QVariantMap();
        bus_.send(signal);
    }

private:
    QDBusConnection bus_;
};

class GlobalShortcutsTest : public ::testing::Test, protected testing::MainWindowHarness<>
{
protected:
    void SetUp() override
    {
        store.setValue(QStringLiteral("Greetings"), QStringLiteral("<nil>"));
        // Only the command reads the clipboard here, and no time is told.
        store.setValue(QStringLiteral("EnableClipboard"), QStringLiteral("False"));
        store.setValue(QStringLiteral("TellTime"), QStringLiteral("Never"));
        prompter.runDialogs = true;
        QGuiApplication::clipboard()->setText(QStringLiteral("Words from the clipboard."));
    }
    void TearDown() override
    {
        // The X server goes last: its clients end before it.
        window.reset();
        shortcuts.reset();
        if (other != nullptr)
            XCloseDisplay(other);
    }

    void start(GlobalShortcuts::Ways ways)
    {
        shortcuts = std::make_unique<GlobalShortcuts>(std::move(ways));
        options.setGlobalShortcuts(shortcuts.get());
        MainServices services;
        services.plugins = {&speechSources, &options, shortcuts.get()};
        window = startedWindow(services);
        ASSERT_TRUE(QTest::qWaitFor([&] { return shortcuts->way() != GlobalShortcuts::Way::Searching; }));
    }
    bool clipboardRead(qsizetype times)
    {
        return QTest::qWaitFor(
            [&] { return engine.spoken.count(QStringLiteral("Words from the clipboard.")) == times; });
    }

    testing::XvfbServer xvfb;
    Display* other = nullptr; // another X client
    testing::FakeKeyboardState keyboard;
    testing::FakeClock clock;
    SpeechSourcesPlugin speechSources{keyboard, clock, QStringLiteral("/nonexistent/librealtime.so")};
    testing::FakeDesktopOpener desktop;
    OptionsCommand options{desktop};
    std::unique_ptr<GlobalShortcuts> shortcuts;
    std::unique_ptr<TfMain> window;
};

TEST_F(GlobalShortcutsTest, AKeySetInOptionsIsBoundThroughThePortalAndReadsTheClipboard)
{
    testing::PrivateSessionBus bus;
    ASSERT_FALSE(bus.address().isEmpty()) << "dbus-daemon did not start";
    QDBusConnection portalSide = QDBusConnection::connectToBus(bus.address(), QStringLiteral("portal"));
    QDBusConnection narrixSide = QDBusConnection::connectToBus(bus.address(), QStringLiteral("narrix"));
    PortalStandIn portal(portalSide);
    qDBusRegisterMetaType<PortalShortcut>();
    qDBusRegisterMetaType<QList<PortalShortcut>>();
    ASSERT_TRUE(
        portalSide.registerVirtualObject(PortalGlobalShortcuts::kPath, &portal, QDBusConnection::SubPath));
    ASSERT_TRUE(portalSide.registerService(PortalGlobalShortcuts::kService));

    start({narrixSide, std::nullopt});
    EXPECT_EQ(shortcuts->way(), GlobalShortcuts::Way::Portal);
    EXPECT_TRUE(portal.bound.isEmpty()) << "no key is bound by default";

    // Misc is the last page; Alt+C reaches the Read Clipboard box, which takes the next key with Ctrl
    // or Alt.
    QString note;
    testing::whenModal([&note](QDialog& dialog) {
        testing::press(dialog, Qt::Key_PageUp, Qt::ControlModifier);
        testing::press(dialog, Qt::Key_C, Qt::AltModifier);
        EXPECT_EQ(testing::focusedName(dialog), QStringLiteral("edShortcutReadClipboard"));
        // Tab leaves the box (it is no key to take), Clear empties it, Shift+Tab comes back.
        auto* box = dialog.findChild<QKeySequenceEdit*>(QStringLiteral("edShortcutReadClipboard"));
        testing::press(dialog, Qt::Key_X, Qt::ControlModifier | Qt::AltModifier);
        EXPECT_EQ(box->keySequence(), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_X));
        testing::press(dialog, Qt::Key_Tab);
        EXPECT_EQ(testing::focusedName(dialog), QStringLiteral("btnClearReadClipboard"));
        testing::press(dialog, Qt::Key_Space);
        EXPECT_TRUE(QTest::qWaitFor([box] { return box->keySequence().isEmpty(); }));
        testing::press(dialog, Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(testing::focusedName(dialog), QStringLiteral("edShortcutReadClipboard"));
        testing::press(dialog, Qt::Key_R, Qt::ControlModifier | Qt::AltModifier);
        note = dialog.findChild<QLabel*>(QStringLiteral("lblShortcutsNote"))->text();
        testing::press(dialog, Qt::Key_Return);
    });
    window->actions().actOptions->trigger();
    EXPECT_TRUE(note.contains(QStringLiteral("shortcut service"))) << note.toStdString();
    EXPECT_EQ(window->settings().shortcutReadClipboard, QStringLiteral("Ctrl+Alt+R"));

    ASSERT_TRUE(QTest::qWaitFor([&] { return !portal.bound.isEmpty(); }));
    ASSERT_EQ(portal.bound.size(), 1);
    EXPECT_EQ(portal.bound[0].id, GlobalShortcuts::kReadClipboard);
    EXPECT_EQ(portal.bound[0].properties.value(QStringLiteral("preferred_trigger")).toString(),
              QStringLiteral("CTRL+ALT+r"));
    EXPECT_EQ(portal.bound[0].properties.value(QStringLiteral("description")).toString(),
              QStringLiteral("Read Clipboard"));

    portal.activate(GlobalShortcuts::kReadClipboard);
    EXPECT_TRUE(clipboardRead(1)) << engine.spoken.join(QLatin1Char('|')).toStdString();
    window.reset();
    QDBusConnection::disconnectFromBus(QStringLiteral("narrix"));
    QDBusConnection::disconnectFromBus(QStringLiteral("portal"));
}

TEST_F(GlobalShortcutsTest, X11GrabsFireWithNumLockAndAKeyHeldElsewhereIsReported)
{
    QString error;
    ASSERT_TRUE(xvfb.start(&error)) << error.toStdString();
    // Another client holds Ctrl+Alt+S before Narrix starts.
    other = XOpenDisplay(xvfb.display().toLocal8Bit().constData());
    ASSERT_NE(other, nullptr);
    XGrabKey(other, XKeysymToKeycode(other, 's'), ControlMask | Mod1Mask, DefaultRootWindow(other), False,
             GrabModeAsync, GrabModeAsync);
    XSync(other, False);

    store.setValue(QStringLiteral("ShortcutReadClipboard"), QStringLiteral("Ctrl+Alt+R"));
    store.setValue(QStringLiteral("ShortcutStop"), QStringLiteral("Ctrl+Alt+S"));
    start({std::nullopt, xvfb.display().toLocal8Bit()});
    ASSERT_EQ(shortcuts->way(), GlobalShortcuts::Way::X11);
    EXPECT_TRUE(
        shortcuts->note().contains(QStringLiteral("Ctrl+Alt+S of Stop could not be registered: another "
                                                  "program already uses this key")))
        << shortcuts->note().toStdString();

    const auto xdotool = [this](const char* keys) {
        return xvfb.run(QStringLiteral("xdotool"), {QStringLiteral("key"), QString::fromLatin1(keys)});
    };
    ASSERT_TRUE(xdotool("ctrl+alt+r"));
    EXPECT_TRUE(clipboardRead(1));
    Q_EMIT engine.OnSpeakingDone();
    ASSERT_TRUE(xdotool("Num_Lock"));
    ASSERT_TRUE(xdotool("ctrl+alt+r"));
    EXPECT_TRUE(clipboardRead(2)) << "Num Lock on";
}

} // namespace
} // namespace narrix
