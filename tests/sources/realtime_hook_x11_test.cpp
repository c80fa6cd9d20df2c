// The real keyboard-hook library and the X11 keyboard state on an X server of the test's own: keys typed
// with xdotool arrive as virtual-key codes and keystroke flags; the foreground window, its owner and
// Caps Lock are read from the server.
#include "platform/x11_keyboard_state.h"
#include "sources/realtime_hook_connection.h"
#include "support/xvfb_server.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <unistd.h>
// Last: Xlib's macros (None, Bool, ...) clash with names in the headers above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace narrix {
namespace {

using Report = std::pair<quint32, quint32>;

class HookX11Test : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        server_ = new testing::XvfbServer;
        QString error;
        if (!server_->start(&error))
            FAIL() << error.toStdString();
        qputenv("DISPLAY", server_->display().toLatin1());
    }
    static void TearDownTestSuite()
    {
        delete server_;
        server_ = nullptr;
    }

    // Types with xdotool and waits until `count` reports have arrived.
    std::vector<Report> typeAndCollect(const QStringList& xdotoolArguments, std::size_t count)
    {
        std::vector<Report> received;
        RealtimeHookConnection connection;
        QObject::connect(&connection, &RealtimeHookConnection::keyReport, &connection,
                         [&](quint32 key, quint32 flags) { received.emplace_back(key, flags); });
        connection.connectHook(qEnvironmentVariable("REALTIME_LIBRARY"));
        connection.waitUntilHookedOn();
        EXPECT_TRUE(server_->run(QStringLiteral("xdotool"), xdotoolArguments));
        const QDeadlineTimer deadline(10000);
        while (received.size() < count && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
        QCoreApplication::processEvents();
        return received;
    }

    static testing::XvfbServer* server_;
};

testing::XvfbServer* HookX11Test::server_ = nullptr;

TEST_F(HookX11Test, TypedKeysArriveAsVirtualKeysAndFlags)
{
    const std::vector<Report> received =
        typeAndCollect({QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("0"),
                        QStringLiteral("shift+a"), QStringLiteral("Left"), QStringLiteral("KP_Add")},
                       8);
    const std::vector<Report> expected = {
        {0x10, 0x002A0001},                     // left Shift down
        {0x41, 0x001E0001},                     // A down
        {0x10, 0xC02A0001},                     // Shift up (xdotool lets the modifiers go first)
        {0x41, 0xC01E0001},                     // A up
        {0x25, 0x014B0001},                     // Left arrow: an extended key
        {0x25, 0xC14B0001}, {0x6B, 0x004E0001}, // numeric pad +
        {0x6B, 0xC04E0001},
    };
    EXPECT_EQ(received, expected);
}

TEST_F(HookX11Test, AKeyPressedAgainBeforeItsReleaseIsARepeat)
{
    // Escape, pressed and released last, marks the end of what is reported.
    std::vector<Report> received = typeAndCollect(
        {QStringLiteral("keydown"), QStringLiteral("b"), QStringLiteral("keydown"), QStringLiteral("b"),
         QStringLiteral("keyup"), QStringLiteral("b"), QStringLiteral("key"), QStringLiteral("Escape")},
        4);
    while (!received.empty() && received.back().first == 0x1B)
        received.pop_back();
    ASSERT_GE(received.size(), 2u);
    EXPECT_EQ(received.front(), Report(0x42, 0x00300001));
    EXPECT_EQ(received.back(), Report(0x42, 0xC0300001));
    // The X server may or may not pass on the second press; if it does, it is flagged as a repeat.
    if (received.size() == 3) {
        EXPECT_EQ(received[1], Report(0x42, 0x40300001));
    }
}

TEST_F(HookX11Test, KeyboardStateReadsFocusOwnerAndCapsLock)
{
    X11KeyboardState keyboard;
    // A window of some other program.
    QProcess other;
    other.setProcessEnvironment(server_->environment());
    other.start(qEnvironmentVariable("FOCUS_WINDOW_PROGRAM"), {});
    ASSERT_TRUE(other.waitForReadyRead(10000));
    const QString otherWindow = QString::fromLatin1(other.readAllStandardOutput().trimmed());
    ASSERT_TRUE(server_->focus(otherWindow));
    EXPECT_EQ(keyboard.foregroundWindow(), otherWindow.toUInt());
    EXPECT_FALSE(keyboard.isOwnWindow(otherWindow.toUInt()));

    // A window of this process, named by its _NET_WM_PID, with the focus on a child of it.
    Display* display = XOpenDisplay(nullptr);
    ASSERT_NE(display, nullptr);
    const Window own = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 50, 50, 0, 0, 0);
    const Window child = XCreateSimpleWindow(display, own, 0, 0, 10, 10, 0, 0, 0);
    const long pid = ::getpid();
    XChangeProperty(display, own, XInternAtom(display, "_NET_WM_PID", False), XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&pid), 1);
    XMapWindow(display, own);
    XMapWindow(display, child);
    XSync(display, False);
    ASSERT_TRUE(server_->focus(QString::number(child)));
    EXPECT_EQ(keyboard.foregroundWindow(), child);
    EXPECT_TRUE(keyboard.isOwnWindow(static_cast<std::uint32_t>(child)));
    // A window that is gone is nobody's.
    XDestroyWindow(display, own);
    XSync(display, False);
    EXPECT_FALSE(keyboard.isOwnWindow(static_cast<std::uint32_t>(own)));
    XCloseDisplay(display);

    EXPECT_FALSE(keyboard.capsLockOn());
    ASSERT_TRUE(
        server_->run(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("Caps_Lock")}));
    EXPECT_TRUE(keyboard.capsLockOn());
    ASSERT_TRUE(
        server_->run(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("Caps_Lock")}));
    EXPECT_FALSE(keyboard.capsLockOn());
    other.kill();
    other.waitForFinished();
}

} // namespace
} // namespace narrix
