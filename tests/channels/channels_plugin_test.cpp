// Scheduled speeches in the real main window: Run Now and the double-click, the switch and its tray
// twin, the timer's tick, the failure box through the prompter (the timer's failures as
// notifications instead), the busy refusals and the command-line item that gives nothing to speak.
#include "app/tf_main.h"
#include "channels/channels_plugin.h"
#include "fakes/fake_clock.h"
#include "fakes/fake_desktop_notifier.h"
#include "platform/data_folder.h"
#include "schedule/channel_retriever.h"
#include "schedule/due_rules.h"
#include "schedule/schedule_list_model.h"
#include "support/daily_item.h"
#include "support/main_window_harness.h"

#include <QAction>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

#include <fstream>

namespace narrix {
namespace {

using testing::FakeClock;
using testing::FakeDesktopNotifier;

// Counts the close requests a window receives.
class CloseWitness : public QObject
{
public:
    int closes = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Close)
            ++closes;
        return false;
    }
};

class ChannelsPluginTest : public ::testing::Test, protected testing::MainWindowHarness<>
{
protected:
    FakeClock clock{QDateTime(QDate(2026, 12, 8), QTime(7, 30, 1))};
    FakeDesktopNotifier notifier;
    ChannelsPlugin channels{clock, notifier};
    QTemporaryDir dir;
    CloseWitness closes;

    std::unique_ptr<TfMain> start(const QStringList& arguments = {})
    {
        store.values.insert(QStringLiteral("Greetings"), QStringLiteral("<nil>"));
        // A schedule list of this test's own, empty at start.
        setGivenDataFolder(dir.path());
        MainServices services;
        services.transfers = &channels;
        services.plugins = {&channels};
        auto window = newWindow(services);
        window->installEventFilter(&closes);
        channels.scheduler().setLocale(QLocale(QLocale::English, QLocale::UnitedStates));
        window->FormCreate(arguments);
        return window;
    }

    std::string textFile(const char* name, const char* text)
    {
        const std::string path = dir.filePath(QString::fromLatin1(name)).toStdString();
        std::ofstream(path) << text;
        return path;
    }

    static ScheduleItem item(std::string title, std::string address, std::string time = "07:30")
    {
        return narrix::testing::dailyItem(std::move(title), std::move(address), std::move(time));
    }
};

TEST_F(ChannelsPluginTest, RunNowFollowsTheSelectionAndSpeaksTheFirstSelectedRow)
{
    auto window = start();
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    ScheduleListModel& list = window->scheduleItems();
    list.appendItem(item("First", textFile("a.txt", "First text.")));
    list.appendItem(item("Second", textFile("b.txt", "Second text.")));
    QCoreApplication::processEvents();
    QAction* run = window->actions().actRun;
    EXPECT_FALSE(run->isEnabled());

    QTreeView* view = window->scheduleList();
    view->selectionModel()->select(list.index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    view->selectionModel()->select(list.index(0, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    EXPECT_TRUE(run->isEnabled());
    view->setFocus();
    QTest::keyClick(view, Qt::Key_R, Qt::ControlModifier);
    ASSERT_EQ(engine.spoken.size(), 1);
    EXPECT_EQ(engine.spoken.back(), QStringLiteral("First text."));
    EXPECT_EQ(window->readingState().currentTitle, "First");
    EXPECT_EQ(list.item(0).lastRun, "Never") << "Run Now leaves LastRun";

    // A double-click on a row runs it as Run Now does.
    view->selectionModel()->clearSelection();
    EXPECT_FALSE(run->isEnabled());
    const QRect second = view->visualRect(list.index(1, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, second.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(engine.spoken.back(), QStringLiteral("Second text."));

    // Removing the selected row leaves nothing selected: disabled again.
    list.removeRows(0, 2);
    QCoreApplication::processEvents();
    EXPECT_FALSE(run->isEnabled());
}

TEST_F(ChannelsPluginTest, TheSwitchAndItsTrayTwinStayInStepAndGateTheTimer)
{
    auto window = start();
    window->scheduleItems().appendItem(item("Morning", textFile("m.txt", "Good morning.")));
    QAction* tools = window->actions().ScheduledSpeech3;
    QAction* tray = channels.ScheduledSpeech1();
    ASSERT_NE(tray, nullptr);
    EXPECT_EQ(tray->objectName(), QStringLiteral("ScheduledSpeech1"));
    EXPECT_TRUE(tools->isChecked() && tray->isChecked());
    tray->trigger();
    EXPECT_FALSE(tools->isChecked());
    EXPECT_EQ(channels.tmrSch().interval(), 3000);
    EXPECT_TRUE(channels.tmrSch().isActive());
    // Ticks at once from here on.
    channels.tmrSch().setInterval(0);
    QTest::qWait(20);
    EXPECT_TRUE(engine.spoken.isEmpty());

    tools->trigger();
    EXPECT_TRUE(tray->isChecked());
    QTest::qWait(20);
    ASSERT_EQ(engine.spoken.size(), 1);
    EXPECT_EQ(engine.spoken[0], QStringLiteral("Good morning."));
    EXPECT_EQ(window->scheduleItems().item(0).lastRun,
              DueRules::lastRunText(QDate(2026, 12, 8), QLocale(QLocale::English, QLocale::UnitedStates)));
}

TEST_F(ChannelsPluginTest, AFailingPageShowsItsBoxThroughThePrompter)
{
    auto window = start();
    window->scheduleItems().appendItem(item("Headlines", "127.0.0.1:18489/nothing-listens"));
    window->scheduleList()->setCurrentIndex(window->scheduleItems().index(0, 0));
    window->actions().actRun->trigger();
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].caption, QStringLiteral("Narrix"));
    EXPECT_EQ(prompter.shown[0].icon, QMessageBox::Warning);
    EXPECT_EQ(prompter.shown[0].openModalDialogs, 1);
    EXPECT_TRUE(prompter.shown[0].text.startsWith(
        QStringLiteral("Headlines\r\n\r\nNarrix cannot receive data from this channel.\r\n")));
    EXPECT_TRUE(prompter.shown[0].text.endsWith(
        QStringLiteral("configure your proxy settings.\r\n\r\nDetails: connection refused.")))
        << prompter.shown[0].text.toStdString();
    EXPECT_EQ(window->statusText(), QStringLiteral(" Disconnected."));
    EXPECT_FALSE(window->transfers().busy());
    EXPECT_EQ(window->state().openModalDialogs, 0);
    EXPECT_TRUE(notifier.bodies.isEmpty()) << "Run Now shows the box, not a notification";
}

TEST_F(ChannelsPluginTest, TheTimersFailuresBecomeNotificationsAndTheWalkGoesOn)
{
    auto window = start();
    ScheduleListModel& list = window->scheduleItems();
    for (const bool serverRuns : {true, false}) {
        SCOPED_TRACE(serverRuns ? "a notification server runs" : "no notification server");
        notifier.serverRuns = serverRuns;
        engine.spoken.clear();
        list.setItems({item("Headlines", "127.0.0.1:18489/nothing-listens"),
                       item("Gone", dir.filePath(QStringLiteral("deleted.txt")).toStdString()),
                       item("Morning", textFile("m.txt", "Good morning."))});
        channels.scheduler().tick();
        EXPECT_TRUE(prompter.shown.empty()) << "no box waits for someone at the desk";
        ASSERT_EQ(engine.spoken.size(), 1);
        EXPECT_EQ(engine.spoken[0], QStringLiteral("Good morning."));
        if (serverRuns) {
            EXPECT_EQ(notifier.summaries, (QStringList{QStringLiteral("Headlines"), QStringLiteral("Gone")}));
            EXPECT_EQ(notifier.bodies[0], QStringLiteral("Narrix cannot receive data from this channel.\n"
                                                         "Details: connection refused."));
            EXPECT_EQ(notifier.bodies[1], QStringLiteral("The file \"%1\" was not found.")
                                              .arg(dir.filePath(QStringLiteral("deleted.txt"))));
        } else {
            // The walk's later statuses replace it; right after the failure it reads so.
            EXPECT_EQ(notifier.summaries.size(), 2) << "nothing more was taken";
        }
    }
    // Without a server the status bar says it (seen with the failing item alone).
    list.setItems({item("Headlines", "127.0.0.1:18489/nothing-listens")});
    channels.scheduler().tick();
    EXPECT_EQ(window->statusText(),
              QStringLiteral(" Headlines: Narrix cannot receive data from this channel. "
                             "Details: connection refused."));
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_FALSE(window->transfers().busy());
}

TEST_F(ChannelsPluginTest, RunNowAndTheCommandLineEntryAreRefusedWhileATransferRuns)
{
    auto window = start();
    window->scheduleItems().appendItem(item("Morning", textFile("m.txt", "Good morning.")));
    window->scheduleList()->setCurrentIndex(window->scheduleItems().index(0, 0));
    window->transfers().begin();
    window->actions().actRun->trigger();
    EXPECT_EQ(window->statusText(), QStringLiteral(" Please press Esc before you start a new connection."));
    window->setStatusText(QStringLiteral(" Ready"));
    channels.retrieveChannel(QString::fromStdString(textFile("n.txt", "Handed over.")));
    EXPECT_EQ(window->statusText(), QStringLiteral(" Please press Esc before you start a new connection."));
    EXPECT_TRUE(engine.spoken.isEmpty());
    window->transfers().end();
}

TEST_F(ChannelsPluginTest, TheHandOverClearsTheCutAndUsesTheAddressAsTitle)
{
    auto window = start();
    ChannelRequest& current = channels.retriever().current();
    current.cut = {"lead", "trail", true, true};
    const std::string path = textFile("handed.txt", "lead Handed over. trail");
    channels.retrieveChannel(QString::fromStdString(path));
    EXPECT_EQ(engine.spoken.back(), QStringLiteral("lead Handed over. trail"));
    EXPECT_EQ(window->readingState().currentTitle, path);
    EXPECT_TRUE(current.cut.leadKey.empty() && current.cut.trailKey.empty());
    EXPECT_FALSE(current.cut.leadInc || current.cut.trailInc);
    EXPECT_EQ(closes.closes, 0) << "the hand-over does not end the program";
}

TEST_F(ChannelsPluginTest, ACommandLineItemThatFailsClosesTheWindowAfterItsBox)
{
    auto window = start({QStringLiteral("127.0.0.1:18489/nothing-listens")});
    EXPECT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(closes.closes, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(closes.closes, 1);
}

} // namespace
} // namespace narrix
