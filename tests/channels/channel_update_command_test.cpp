// Channel Update in the main window with the loopback server: the list is saved before the dialog,
// the ticked channels are merged into the window's list, the hand-over never reaches schedule.nxl (a
// program killed right after Update! leaves the user's file whole), and the first-run offer leads
// through the shipped channel list to a schedule.nxl with the user's items and the new channels.
#include "app/tf_main.h"
#include "base/error_hook.h"
#include "channels/channel_update_command.h"
#include "platform/data_folder.h"
#include "schedule/channel_update.h"
#include "support/main_window_harness.h"

#include "base/atomic_file.h"
#include "base/profile_file.h"
#include "fakes/fake_prompter.h"
#include "net/net_test_support.h"
#include "platform/unix_signal_watcher.h"
#include "schedule/schedule_list_model.h"

#include <QAction>
#include <QApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <iostream>

namespace narrix {
namespace {

using Titles = std::vector<std::string>;
using testing::FakePrompter;

const char kUserList[] = "[news]\r\nGeneral=06:00 - Daily\r\nFileName=http://news.example/\r\nFrequence=0\r\n"
                         "Time=06:00\r\nLeadKey=Headlines\r\nTrailKey=More\r\n"
                         "[Weather]\r\nGeneral=06:30 - Daily\r\nFileName=http://weather.example/today\r\n"
                         "Time=06:30\r\nLeadKey=Today\r\nTrailKey=Tomorrow\r\n";

// Shows the dialogs it is given, and hands each to `onDialog` once it runs.
class ShowingPrompter : public FakePrompter
{
public:
    std::function<void(QDialog&)> onDialog;
    int execDialog(QDialog& dialog) override
    {
        FakePrompter::execDialog(dialog);
        if (onDialog)
            QTimer::singleShot(0, &dialog, [this, &dialog] { onDialog(dialog); });
        return dialog.exec();
    }
};

// What the help commands do for the first-run offer: run actUpdate.
class UpdateOffer final : public TipsUpdatesService
{
public:
    TfMain* window = nullptr;
    void runChannelUpdate() override { window->actions().actUpdate->trigger(); }
};

// Enter on the dialog's focused control: the default button.
void pressEnter(QDialog& dialog)
{
    QTest::keyClick(dialog.focusWidget() != nullptr ? dialog.focusWidget() : &dialog, Qt::Key_Return);
}

// Receive, then Update! with whatever is ticked.
void receiveAndUpdate(QDialog& dialog)
{
    pressEnter(dialog);
    pressEnter(dialog);
}

Titles titlesIn(const std::vector<ScheduleItem>& items)
{
    Titles titles;
    for (const ScheduleItem& item : items)
        titles.push_back(item.title);
    return titles;
}

class ChannelUpdateCommandTest : public ::testing::Test, protected testing::MainWindowHarness<ShowingPrompter>
{
protected:
    QTemporaryDir data;
    QStringList errors;
    ChannelUpdateCommand command;
    UpdateOffer offer;
    std::unique_ptr<TfMain> window;

    void SetUp() override
    {
        setErrorSinkForTesting([this](const QString& where, const QString& message) {
            errors << where + QStringLiteral(": ") + message;
        });
        setGivenDataFolder(data.path());
        useChannelList("/channels/three.nxl");
        std::ofstream(schedulePath(), std::ios::binary) << kUserList;
        store.setValue(QStringLiteral("FontCharset"), QStringLiteral("0"));
        store.setValue(QStringLiteral("Greetings"), QStringLiteral("<nil>"));
    }
    void TearDown() override
    {
        window.reset();
        setChannelListAddress({});
        setErrorSinkForTesting(nullptr);
    }
    static void useChannelList(const std::string& path) { setChannelListAddress(net::testing::http(path)); }
    std::filesystem::path schedulePath() const
    {
        return std::filesystem::path(data.path().toStdString()) / "schedule.nxl";
    }
    Titles scheduleFileTitles() const
    {
        ProfileFile file;
        std::string error;
        EXPECT_TRUE(loadProfileFile(schedulePath(), &file, &error)) << error;
        return file.sectionNames();
    }
    void start()
    {
        MainServices services;
        services.tips = &offer;
        services.plugins = {&command};
        window = newWindow(services);
        offer.window = window.get();
        window->FormCreate({});
        ASSERT_FALSE(window->startUpIncomplete()) << errors.join(QLatin1Char('\n')).toStdString();
    }
    void addLocalItem()
    {
        ScheduleItem local;
        local.title = "Local";
        local.fileName = "/tmp/local.txt";
        window->scheduleItems().appendItem(local);
    }
};

TEST_F(ChannelUpdateCommandTest, SavesTheListFirstThenMergesTheTickedChannelsIntoTheWindow)
{
    start();
    QAction* update = window->actions().actUpdate;
    EXPECT_TRUE(update->isEnabled());
    EXPECT_EQ(update->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_H));
    addLocalItem();
    Titles savedBeforeTheDialog;
    int modalCount = -1;
    prompter.onDialog = [&](QDialog& dialog) {
        savedBeforeTheDialog = scheduleFileTitles();
        modalCount = window->state().openModalDialogs;
        receiveAndUpdate(dialog);
    };
    update->trigger();

    EXPECT_EQ(savedBeforeTheDialog, (Titles{"news", "Weather", "Local"}));
    EXPECT_EQ(modalCount, 1);
    EXPECT_EQ(window->state().openModalDialogs, 0);
    // "News" replaced "news" and moved to the end; "Weather" changed only its time and stayed.
    const auto& items = window->scheduleItems().items();
    ASSERT_EQ(titlesIn(items), (Titles{"Weather", "Local", "News", "Radio"}));
    EXPECT_FALSE(items[2].ticked);
    EXPECT_EQ(items[2].lastRun, "12/1/2026");
    EXPECT_EQ(items[2].general, "07:15 - Daily");
    EXPECT_TRUE(items[3].ticked);
    EXPECT_EQ(items[0].time, "06:30");
    EXPECT_EQ(scheduleFileTitles(), (Titles{"news", "Weather", "Local"})) << "the hand-over stays in memory";

    window->FormDestroy();
    EXPECT_EQ(scheduleFileTitles(), (Titles{"Weather", "Local", "News", "Radio"}));
}

TEST_F(ChannelUpdateCommandTest, CancelLeavesTheListAsItWas)
{
    start();
    prompter.onDialog = [](QDialog& dialog) { QTest::keyClick(&dialog, Qt::Key_Escape); };
    window->actions().actUpdate->trigger();
    EXPECT_EQ(titlesIn(window->scheduleItems().items()), (Titles{"news", "Weather"}));
    EXPECT_EQ(window->state().openModalDialogs, 0);
}

TEST_F(ChannelUpdateCommandTest, AListThatWasNotReadIsNeitherSavedNorUpdated)
{
    std::filesystem::remove(schedulePath());
    std::filesystem::create_directory(schedulePath()); // exists but cannot be read as a file
    start();
    bool shown = false;
    prompter.onDialog = [&](QDialog& dialog) {
        shown = true;
        dialog.reject();
    };
    errors.clear();
    window->actions().actUpdate->trigger();
    EXPECT_FALSE(shown);
    EXPECT_FALSE(errors.isEmpty());
}

TEST_F(ChannelUpdateCommandTest, FirstRunOfferAnsweredYesBringsTheShippedChannelsThroughSigterm)
{
    store.values.remove(QStringLiteral("FontCharset"));
    useChannelList("/data/channels.nxl");
    prompter.answers = {QMessageBox::Yes, QMessageBox::No};
    prompter.onDialog = receiveAndUpdate;
    UnixSignalWatcher signals({SIGTERM});
    start();
    QObject::connect(&signals, &UnixSignalWatcher::received, window.get(),
                     [this](int) { window->TerminationRequested(); });
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return prompter.shown.size() == 2; }, 10000));
    EXPECT_EQ(prompter.shown[0].caption, QStringLiteral("Narrix Update"));

    std::raise(SIGTERM);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->isVisible(); }, 5000));
    window->FormDestroy();

    const Titles titles = scheduleFileTitles();
    ASSERT_GE(titles.size(), 2u + 8u);
    EXPECT_EQ(Titles(titles.begin(), titles.begin() + 2), (Titles{"news", "Weather"}));
    ProfileFile shipped;
    std::string error;
    ASSERT_TRUE(loadProfileFile(std::string(NARRIX_SOURCE_DIR) + "/data/channels.nxl", &shipped, &error));
    EXPECT_EQ(Titles(titles.begin() + 2, titles.end()), shipped.sectionNames());
}

// The child of the next test: updates, says so, and waits to be killed.
TEST_F(ChannelUpdateCommandTest, ChildUpdatesAndWaits)
{
    if (qEnvironmentVariableIsEmpty("CHANNEL_UPDATE_CHILD"))
        GTEST_SKIP() << "run by KilledAfterUpdateLeavesTheUsersFileWhole";
    setGivenDataFolder(qEnvironmentVariable("CHANNEL_UPDATE_CHILD"));
    start();
    addLocalItem();
    prompter.onDialog = receiveAndUpdate;
    window->actions().actUpdate->trigger();
    std::cout << "updated " << window->scheduleItems().size() << std::endl;
    QTest::qWait(30000);
}

TEST_F(ChannelUpdateCommandTest, KilledAfterUpdateLeavesTheUsersFileWhole)
{
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("CHANNEL_UPDATE_CHILD"), data.path());
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=ChannelUpdateCommandTest.ChildUpdatesAndWaits")});
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            child.waitForReadyRead(50);
            return child.peek(4096).contains("updated");
        },
        20000))
        << child.readAllStandardError().toStdString();
    EXPECT_TRUE(child.readAllStandardOutput().contains("updated 4")) << "merged in the child's window";
    child.kill(); // SIGKILL: no shutdown, no save
    ASSERT_TRUE(child.waitForFinished(5000));
    EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);
    // What actUpdate saved before the dialog: the user's items, whole.
    EXPECT_EQ(scheduleFileTitles(), (Titles{"news", "Weather", "Local"}));
}

} // namespace
} // namespace narrix
