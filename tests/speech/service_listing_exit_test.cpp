// The speech service's voices are listed on a thread the process does not wait for: a program that
// ends while the service has not answered ends at once. The "service" here is a socket that takes
// the connection and never replies, as a service stuck on a long listing does.
#include "speech/engine_modes.h"

#include <QCoreApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <iostream>
#include <memory>
#include <string>

namespace narrix {
namespace {

constexpr char kChildVariable[] = "NARRIX_TEST_LISTING_CHILD";

// Run in a child of the test below: begins the listing, waits for the word to end, returns.
TEST(ServiceListingChild, BeginsTheListingAndEnds)
{
    if (!qEnvironmentVariableIsSet(kChildVariable))
        GTEST_SKIP() << "runs only as the child of ServiceListing.ProcessEndsWhileTheServiceIsSilent";
    beginListingServiceVoices();
    std::string line;
    std::getline(std::cin, line);
}

TEST(ServiceListing, ProcessEndsWhileTheServiceIsSilent)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QLocalServer silentService;
    const QString socketPath = dir.filePath(QStringLiteral("speechd.sock"));
    ASSERT_TRUE(silentService.listen(socketPath)) << qPrintable(silentService.errorString());

    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kChildVariable), QStringLiteral("1"));
    environment.insert(QStringLiteral("SPEECHD_ADDRESS"), QStringLiteral("unix_socket:") + socketPath);
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=ServiceListingChild.*")});
    ASSERT_TRUE(child.waitForStarted());

    // The listing is under way once its first request arrives; it is never answered.
    ASSERT_TRUE(silentService.waitForNewConnection(60000)) << "the listing never connected";
    std::unique_ptr<QLocalSocket> connection(silentService.nextPendingConnection());
    ASSERT_NE(connection, nullptr);
    while (connection->bytesAvailable() == 0)
        ASSERT_TRUE(connection->waitForReadyRead(60000)) << "the listing sent no request";

    child.write("end\n");
    child.closeWriteChannel();
    const bool ended = child.waitForFinished(60000);
    if (!ended)
        child.kill();
    EXPECT_TRUE(ended) << "the process waited at exit for the unanswered listing";
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(child.exitCode(), 0);
}

} // namespace
} // namespace narrix
