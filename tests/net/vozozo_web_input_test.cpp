// vozozo reads web pages: the page is fetched with the HTTP client, decoded from its Content-Type
// charset and converted like HTML. Run as the real binary, as a user would.
#include "net_test_support.h"
#include "vozozo/input_reader.h"

#include <QProcess>
#include <QSettings>

#include <gtest/gtest.h>

using namespace narrix::net::testing;

namespace {

struct VozozoRun
{
    int exitCode = -1;
    std::string out;
    std::string err;
};

VozozoRun runVozozo(const QStringList& arguments)
{
    QProcess process;
    // A French locale: the English clean-up would blank the accented letters these tests look for.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("fr_FR.UTF-8"));
    environment.insert(QStringLiteral("LANG"), QStringLiteral("fr_FR.UTF-8"));
    process.setProcessEnvironment(environment);
    process.start(qEnvironmentVariable("NARRIX_BINARY_DIR") + QStringLiteral("/src/vozozo/vozozo"),
                  arguments);
    VozozoRun run;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
}

void setProxySettings(const QString& proxy, const QString& port)
{
    QSettings settings(QStringLiteral("Quillmark"), QStringLiteral("Narrix"));
    settings.setValue(QStringLiteral("Proxy"), proxy);
    settings.setValue(QStringLiteral("Port"), port);
    settings.sync();
}

} // namespace

TEST(VozozoWebInput, FetchesDecodesAndConvertsAPage)
{
    setProxySettings(QString(), QString());
    const VozozoRun run =
        runVozozo({QString::fromStdString(http("/latin1-page")), QStringLiteral("--print")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    // ISO-8859-1 bytes from the Content-Type charset, HTML converted to speech text.
    EXPECT_NE(run.out.find("Caf\xc3\xa9 cr\xc3\xa8me"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("second"), std::string::npos);
    EXPECT_EQ(run.out.find("<p>"), std::string::npos);
}

TEST(VozozoWebInput, HonoursTheProxySettings)
{
    setProxySettings(QStringLiteral(" 127.0.0.1 "), QString::number(kProxyPort));
    const VozozoRun run = runVozozo({QString::fromStdString(http("/echo")), QStringLiteral("--print")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(run.out.find("tinyproxy"), std::string::npos) << run.out;

    setProxySettings(QStringLiteral("127.0.0.1"), QStringLiteral("31x"));
    const VozozoRun bad = runVozozo({QString::fromStdString(http("/hello")), QStringLiteral("--print")});
    EXPECT_NE(bad.exitCode, 0);
    EXPECT_NE(bad.err.find("proxy"), std::string::npos) << bad.err;
    setProxySettings(QString(), QString());
}

TEST(VozozoWebInput, AFailedFetchIsOneClearLineAndAFailingExit)
{
    setProxySettings(QString(), QString());
    for (const std::string path : {"/status/404", "/garbage", "/endless-chunked", "/reset"}) {
        const std::string url = http(path);
        const VozozoRun run = runVozozo({QString::fromStdString(url), QStringLiteral("--print")});
        EXPECT_EQ(run.exitCode, 1) << path;
        EXPECT_EQ(run.out, "") << path;
        EXPECT_NE(run.err.find(url), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
}

TEST(VozozoWebInput, ReadsThroughTheInputFunction)
{
    setProxySettings(QString(), QString());
    QString error;
    auto text = narrix::readVozozoInput(QString::fromStdString(http("/latin1-page")), &error);
    ASSERT_TRUE(text.has_value()) << error.toStdString();
    EXPECT_NE(text->find("Caf\xc3\xa9"), std::string::npos);
    auto missing = narrix::readVozozoInput(QStringLiteral("http://127.0.0.1:%1/x").arg(kClosedPort), &error);
    EXPECT_FALSE(missing.has_value());
    EXPECT_TRUE(error.contains(QStringLiteral("http://127.0.0.1:%1/x").arg(kClosedPort)))
        << error.toStdString();
}
