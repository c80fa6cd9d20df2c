// Channel Update against the loopback HTTP server, driven by keyboard alone: what is offered, what
// Update! hands back, and how every kind of failed download leaves update.nxl and the list alone.
#include "dialogs/channel_update_dialog.h"

#include "base/atomic_file.h"
#include "net/net_test_support.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <fstream>

namespace narrix {
namespace {

using net::testing::http;
using Titles = std::vector<std::string>;

ScheduleItem userItem(std::string title, std::string address, std::string lead = {}, std::string trail = {})
{
    ScheduleItem i;
    i.title = std::move(title);
    i.fileName = std::move(address);
    i.time = "06:00";
    i.leadKey = std::move(lead);
    i.trailKey = std::move(trail);
    i.leadInc = "False";
    i.trailInc = "False";
    return i;
}

// The user's "Weather" differs from the served list's only in its timing.
std::vector<ScheduleItem> userList()
{
    return {userItem("news", "http://news.example/", "Headlines", "More"),
            userItem("Weather", "http://weather.example/today", "Today", "Tomorrow")};
}

class ChannelUpdateDialogTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    std::unique_ptr<TfrmUpdate> dialog;

    std::filesystem::path updateFile() const
    {
        return std::filesystem::path(dir.path().toStdString()) / "update.nxl";
    }

    // The questions offering the installed list, and the answer to give.
    QStringList offers;
    bool takeInstalled = false;
    std::filesystem::path installedList;

    void open(const std::string& address, std::vector<ScheduleItem> current = userList(), QString proxy = {},
              QString port = {})
    {
        ChannelUpdateRequest request;
        request.proxy = std::move(proxy);
        request.port = std::move(port);
        request.address = address;
        request.updateFile = updateFile();
        request.current = std::move(current);
        request.timeSeparator = ":";
        request.installedList = installedList;
        request.offerInstalledList = [this](const QString& failure) {
            offers << failure;
            return takeInstalled;
        };
        dialog = std::make_unique<TfrmUpdate>(std::move(request));
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
        ASSERT_EQ(button1()->text(), QStringLiteral("Receive"));
        ASSERT_TRUE(button1()->hasFocus());
    }
    // Enter presses the default button: Receive, later Update!.
    void enter() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }

    QPushButton* button1() const { return dialog->findChild<QPushButton*>(QStringLiteral("Button1")); }
    QString label() const { return dialog->findChild<QLabel*>(QStringLiteral("Label1"))->text(); }
    QListWidget* list() const { return dialog->findChild<QListWidget*>(QStringLiteral("cbUpdate")); }
    // The entries with "+" when ticked, "-" when not.
    std::vector<std::string> offered() const
    {
        std::vector<std::string> titles;
        for (int row = 0; row < list()->count(); ++row)
            titles.push_back(list()->item(row)->text().toStdString() +
                             (list()->item(row)->checkState() == Qt::Checked ? "+" : "-"));
        return titles;
    }
    std::vector<std::string> chosen() const
    {
        std::vector<std::string> titles;
        for (const ScheduleItem& i : dialog->chosen())
            titles.push_back(i.title);
        return titles;
    }
    std::string updateText() const
    {
        std::string bytes, error;
        readWholeFile(updateFile(), &bytes, &error);
        return bytes;
    }
    // The failure's text with the reason on a line of its own ("" when any reason will do).
    void expectFailed(const QString& details = {})
    {
        EXPECT_TRUE(
            label().startsWith(QStringLiteral("Failed. Check your Internet connection and try later.\n\n"
                                              "Details: ") +
                               details))
            << label().toStdString();
        EXPECT_FALSE(button1()->isEnabled());
        EXPECT_EQ(button1()->text(), QStringLiteral("Update!"));
        EXPECT_EQ(list()->count(), 0);
        EXPECT_FALSE(dialog->updated());
    }
};

TEST_F(ChannelUpdateDialogTest, OffersNewAndCaseChangedChannelsTickedAndHandsBackTheTickedOnes)
{
    open(http("/channels/three.nxl"));
    enter();
    EXPECT_EQ(label(), QStringLiteral("Select your favorite updates below:"));
    // "news" is the user's; "News" differs in letter case. "Weather" changed only its timing.
    EXPECT_EQ(offered(), (Titles{"News+", "Radio+"}));
    EXPECT_EQ(button1()->text(), QStringLiteral("Update!"));
    EXPECT_TRUE(button1()->hasFocus());
    auto* bar = dialog->findChild<QProgressBar*>(QStringLiteral("ProgressBar1"));
    EXPECT_EQ(bar->value(), bar->maximum());
    EXPECT_NE(updateText().find("[Radio]"), std::string::npos) << "update.nxl holds the download";

    // Back to the list, untick "Radio", and Update!.
    QTest::keyClick(button1(), Qt::Key_Tab, Qt::ShiftModifier);
    ASSERT_TRUE(list()->hasFocus());
    QTest::keyClick(list(), Qt::Key_Down);
    QTest::keyClick(list(), Qt::Key_Space);
    EXPECT_EQ(offered(), (Titles{"News+", "Radio-"}));
    QTest::keyClick(list(), Qt::Key_Tab);
    enter();
    EXPECT_TRUE(dialog->updated());
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    ASSERT_EQ(chosen(), (std::vector<std::string>{"News"}));
    EXPECT_EQ(dialog->chosen()[0].lastRun, "12/1/2026");
    EXPECT_FALSE(dialog->chosen()[0].ticked);
}

TEST_F(ChannelUpdateDialogTest, EverythingUntickedHandsBackNothing)
{
    open(http("/channels/three.nxl"));
    enter();
    QTest::keyClick(button1(), Qt::Key_Tab, Qt::ShiftModifier);
    QTest::keyClick(list(), Qt::Key_Space);
    QTest::keyClick(list(), Qt::Key_Down);
    QTest::keyClick(list(), Qt::Key_Space);
    EXPECT_EQ(offered(), (Titles{"News-", "Radio-"}));
    QTest::keyClick(list(), Qt::Key_Tab);
    enter();
    EXPECT_TRUE(dialog->updated());
    EXPECT_TRUE(dialog->chosen().empty());
}

TEST_F(ChannelUpdateDialogTest, NothingNewSaysSoAndLeavesOnlyCancel)
{
    std::vector<ScheduleItem> current = userList();
    current[0].title = "News";
    current.push_back(userItem("Radio", "http://radio.example/"));
    open(http("/channels/three.nxl"), current);
    enter();
    EXPECT_EQ(label(), QStringLiteral("You already have the latest channels!"));
    EXPECT_FALSE(button1()->isEnabled());
    EXPECT_EQ(list()->count(), 0);
    QTest::keyClick(dialog.get(), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(dialog->updated());
}

TEST_F(ChannelUpdateDialogTest, AFailedDownloadKeepsTheLastUpdateFileAndOffersNothing)
{
    const std::string tooBig = "/bytes/" + std::to_string((64 << 20) + 1);
    const struct
    {
        const char* what;
        std::string address;
        const char* details;
        const char* proxy = "";
        const char* port = "";
    } cases[] = {
        {"a 404", http("/channels/missing.nxl"), "the server answered 404 Not Found."},
        {"a reply that is not a list file", http("/hello"), "the reply is not a list file."},
        {"an HTML page", http("/latin1-page"), "the reply is not a list file."},
        {"a list over 64 MiB", http(tooBig), "the reply is larger than 64 MiB."},
        {"nothing listens", "http://127.0.0.1:" + std::to_string(net::testing::kClosedPort) + "/channels.nxl",
         "connection refused."},
        {"a proxy port that is not a number", http("/channels/three.nxl"), "the proxy port is not a number.",
         "127.0.0.1", "80a"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::ofstream(updateFile(), std::ios::binary) << "[Earlier]\r\nFileName=x\r\n";
        open(c.address, userList(), QString::fromLatin1(c.proxy), QString::fromLatin1(c.port));
        enter();
        expectFailed(QString::fromLatin1(c.details));
        EXPECT_EQ(updateText(), "[Earlier]\r\nFileName=x\r\n");
    }
    EXPECT_TRUE(offers.isEmpty()) << "no installed list, nothing offered";
}

TEST_F(ChannelUpdateDialogTest, AFailedDownloadOffersTheInstalledList)
{
    installedList = std::filesystem::path(qEnvironmentVariable("NARRIX_SOURCE_DIR").toStdString()) /
                    "tests/net/channels/three.nxl";
    const std::string missing = http("/channels/missing.nxl");

    // No: the failure as without an installed list.
    open(missing);
    enter();
    ASSERT_EQ(offers.size(), 1);
    EXPECT_EQ(offers[0],
              QStringLiteral("Narrix could not download the channel list.\r\n\r\nDetails: the server "
                             "answered 404 Not Found.\r\n\r\nDo you want to choose from the "
                             "channels installed with Narrix instead?"));
    expectFailed(QStringLiteral("the server answered 404 Not Found."));

    // Yes: the installed channels are offered as a download's would be, update.nxl left alone.
    std::ofstream(updateFile(), std::ios::binary) << "[Earlier]\r\nFileName=x\r\n";
    takeInstalled = true;
    open(missing);
    enter();
    EXPECT_EQ(offers.size(), 2);
    EXPECT_EQ(label(), QStringLiteral("Select your favorite updates below:"));
    EXPECT_EQ(offered(), (Titles{"News+", "Radio+"}));
    enter();
    EXPECT_TRUE(dialog->updated());
    EXPECT_EQ(chosen(), (Titles{"News", "Radio"}));
    EXPECT_EQ(updateText(), "[Earlier]\r\nFileName=x\r\n");
}

TEST_F(ChannelUpdateDialogTest, AFolderThatCannotBeWrittenFailsBeforeTheDownload)
{
    ChannelUpdateRequest request;
    request.address = http("/channels/three.nxl");
    request.updateFile = std::filesystem::path(dir.path().toStdString()) / "missing" / "update.nxl";
    dialog = std::make_unique<TfrmUpdate>(std::move(request));
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
    enter();
    expectFailed();
}

TEST_F(ChannelUpdateDialogTest, TheDownloadGoesThroughTheProxy)
{
    open(http("/channels/three.nxl"), userList(), QStringLiteral(" 127.0.0.1 "),
         QString::number(net::testing::kProxyPort));
    enter();
    EXPECT_EQ(offered(), (Titles{"News+", "Radio+"}));
}

TEST_F(ChannelUpdateDialogTest, CancelBreaksASlowDownloadAtOnce)
{
    std::ofstream(updateFile(), std::ios::binary) << "[Earlier]\r\n";
    open(http("/slow"));
    QStringList seen;
    QTimer::singleShot(300, dialog.get(), [&] {
        seen << label();
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
    });
    QElapsedTimer clock;
    clock.start();
    enter();
    // The server would take ten seconds.
    EXPECT_LT(clock.elapsed(), 5000);
    ASSERT_EQ(seen.size(), 1);
    EXPECT_TRUE(seen[0].startsWith(QStringLiteral("Downloading... ("))) << seen[0].toStdString();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(dialog->updated());
    EXPECT_EQ(updateText(), "[Earlier]\r\n");
}

} // namespace
} // namespace narrix
