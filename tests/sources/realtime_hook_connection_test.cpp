// Connecting and disconnecting the keyboard-hook library: the three failures, the reports reaching the
// UI thread in order through the message port, and the real library without an X display.
#include "platform/data_folder.h"
#include "sources/hook/key_map_block.h"
#include "sources/realtime_hook_connection.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <stdexcept>

namespace narrix {
namespace {

QString libraryPath(const char* variable)
{
    return qEnvironmentVariable(variable);
}

std::string connectError(RealtimeHookConnection& connection, const QString& path)
{
    try {
        connection.connectHook(path);
    } catch (const std::runtime_error& error) {
        return error.what();
    }
    return {};
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class HookConnectionTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        setGivenRuntimeFolder(runtime_.path());
        qputenv("FAKE_HOOK_LOG", QFile::encodeName(logPath()));
    }
    void TearDown() override
    {
        setGivenRuntimeFolder(QString());
        qunsetenv("FAKE_HOOK_LOG");
    }
    QString logPath() const { return runtime_.filePath(QStringLiteral("hook.log")); }
    QString blockPath() const
    {
        return QString::fromStdString(
            hook::keyMapPath(QFile::encodeName(givenRuntimeFolder()).toStdString()));
    }

    QTemporaryDir runtime_;
};

TEST_F(HookConnectionTest, FailuresRaiseTheProgramsMessages)
{
    RealtimeHookConnection connection;
    EXPECT_EQ(connectError(connection, runtime_.filePath(QStringLiteral("librealtime.so"))),
              RealtimeHookConnection::kNotFound);
    EXPECT_EQ(connectError(connection, libraryPath("FAKE_HOOK_DAMAGED_LIBRARY")),
              RealtimeHookConnection::kDamaged);
    connection.disconnectHook();
    EXPECT_TRUE(contents(logPath()).isEmpty());

    setGivenRuntimeFolder(runtime_.filePath(QStringLiteral("missing")));
    EXPECT_EQ(connectError(connection, libraryPath("FAKE_HOOK_LIBRARY")), RealtimeHookConnection::kNoMapFile);
    // The library was found: disconnecting calls HookOff although HookOn never ran.
    connection.disconnectHook();
    EXPECT_EQ(contents(logPath()), "off\n");
}

TEST_F(HookConnectionTest, ReportsReachTheEventLoopInOrder)
{
    std::vector<std::pair<quint32, quint32>> received;
    {
        RealtimeHookConnection connection;
        QObject::connect(&connection, &RealtimeHookConnection::keyReport, &connection,
                         [&](quint32 key, quint32 flags) { received.emplace_back(key, flags); });
        ASSERT_EQ(connectError(connection, libraryPath("FAKE_HOOK_LIBRARY")), "");
        EXPECT_TRUE(QFile::exists(blockPath()));
        // Written by HookOn already; delivered only by the event loop.
        EXPECT_TRUE(received.empty());
        const QDeadlineTimer deadline(10000);
        while (received.size() < 3 && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
        EXPECT_EQ(received, (std::vector<std::pair<quint32, quint32>>{
                                {0x41, 0x001E0001}, {0x41, 0xC01E0001}, {0x20, 0x00390001}}));
    }
    // The destructor disconnects: HookOff called, the block gone.
    EXPECT_EQ(contents(logPath()), "on\noff\n");
    EXPECT_FALSE(QFile::exists(blockPath()));
}

// The real library's HookOn waits for the X server; the window's start-up does not wait for it.
TEST_F(HookConnectionTest, HookOnRunsBesideTheCallerAndDisconnectingWaitsForIt)
{
    const QString goAhead = runtime_.filePath(QStringLiteral("go-ahead"));
    qputenv("FAKE_HOOK_ON_WAIT", QFile::encodeName(goAhead));
    const auto unset = qScopeGuard([] { qunsetenv("FAKE_HOOK_ON_WAIT"); });
    std::size_t received = 0;
    {
        RealtimeHookConnection connection;
        QObject::connect(&connection, &RealtimeHookConnection::keyReport, &connection, [&] { ++received; });
        ASSERT_EQ(connectError(connection, libraryPath("FAKE_HOOK_LIBRARY")), "");
        EXPECT_TRUE(contents(logPath()).isEmpty());
        QFile(goAhead).open(QIODevice::WriteOnly);
        connection.waitUntilHookedOn();
        EXPECT_EQ(contents(logPath()), "on\n");
        const QDeadlineTimer deadline(10000);
        while (received < 3 && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
        EXPECT_EQ(received, 3U);
        // Disconnecting while HookOn still waits: HookOff comes after it, then the block goes.
        QFile::remove(goAhead);
        ASSERT_EQ(connectError(connection, libraryPath("FAKE_HOOK_LIBRARY")), "");
        QFile(goAhead).open(QIODevice::WriteOnly);
    }
    EXPECT_EQ(contents(logPath()), "on\noff\non\noff\n");
    EXPECT_FALSE(QFile::exists(blockPath()));
}

TEST_F(HookConnectionTest, TheRealLibraryWithoutADisplayConnectsAndReportsNothing)
{
    const QByteArray display = qgetenv("DISPLAY");
    qunsetenv("DISPLAY");
    RealtimeHookConnection connection;
    int reports = 0;
    QObject::connect(&connection, &RealtimeHookConnection::keyReport, &connection, [&] { ++reports; });
    EXPECT_EQ(connectError(connection, libraryPath("REALTIME_LIBRARY")), "");
    QCoreApplication::processEvents();
    connection.disconnectHook();
    EXPECT_EQ(reports, 0);
    EXPECT_FALSE(QFile::exists(blockPath()));
    // Connecting again after a disconnect works.
    EXPECT_EQ(connectError(connection, libraryPath("REALTIME_LIBRARY")), "");
    connection.disconnectHook();
    if (!display.isEmpty())
        qputenv("DISPLAY", display);
}

} // namespace
} // namespace narrix
