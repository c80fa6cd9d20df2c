#include "app/tf_main.h"

#include "app/splitter_bar.h"
#include "base/error_hook.h"
#include "fakes/fake_main_services.h"
#include "plugin/modal_dialogs.h"
#include "support/main_window_harness.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <gtest/gtest.h>

namespace narrix {
namespace {

using testing::FakeMainServices;

class TfMainTest : public ::testing::Test, protected testing::MainWindowHarness<>
{
protected:
    QStringList errors;

    void SetUp() override
    {
        setErrorSinkForTesting([this](const QString& where, const QString& message) {
            errors << where + QStringLiteral(": ") + message;
        });
    }
    void TearDown() override { setErrorSinkForTesting(nullptr); }

    std::unique_ptr<TfMain> start(const QStringList& arguments = {}, const MainServices& services = {})
    {
        return startedWindow(services, arguments);
    }

    // The values a shutdown writes, after clearing what start-up found.
    QMap<QString, QString> shutDown(TfMain& window)
    {
        store.writes.clear();
        window.FormDestroy();
        return store.values;
    }

    void storeAll(std::initializer_list<std::pair<const char16_t*, const char16_t*>> values)
    {
        for (const auto& [name, text] : values)
            store.values.insert(QString::fromUtf16(name), QString::fromUtf16(text));
    }
};

// Records whether an Esc key press reached the object it filters.
class EscapeWitness : public QObject
{
public:
    EscapeWitness(bool* seen, QObject* parent) : QObject(parent), seen_(seen) {}
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
            *seen_ = true;
        return false;
    }

private:
    bool* seen_;
};

QToolBar* band(TfMain& w, const char* name)
{
    return w.findChild<QToolBar*>(QString::fromLatin1(name));
}

TEST_F(TfMainTest, MenuBandDropsDownTheSevenMenusWithEveryItem)
{
    auto w = start();
    QStringList captions;
    QStringList items;
    for (QToolButton* button : band(*w, "MenuBand")->findChildren<QToolButton*>()) {
        if (button->menu() == nullptr)
            continue;
        captions << button->text();
        QStringList menuItems;
        for (QAction* item : button->menu()->actions())
            menuItems << (item->isSeparator() ? QStringLiteral("-") : item->text());
        items << menuItems.join(u'|');
    }
    EXPECT_EQ(captions,
              (QStringList{QStringLiteral("&File"), QStringLiteral("&Edit"), QStringLiteral("&View"),
                           QStringLiteral("Sched&ule"), QStringLiteral("&Speech"), QStringLiteral("&Tools"),
                           QStringLiteral("&Help")}));
    const QStringList expected = {
        QStringLiteral("&New|&Open...|-|&Save|Save &As...|-|&ZIR Erevaz...|-|E&xit"),
        QStringLiteral("&Undo|-|Cu&t|&Copy|&Paste|&Delete|-|&Find...|-|Select &All"),
        QStringLiteral("&Toolbar|&Status Bar|-|&Narrix Logo|Taskbar &Button|-|Text &Font...|-|"
                       "Speech P&roperties...|&Options..."),
        QStringLiteral("&Add...|&Remove|-|Ru&n Now|Edi&t...|Rena&me|-|Move &Up|Move &Down|-|"
                       "&Import List...|&Export List..."),
        QStringLiteral(
            "&Play|Pa&use|&Stop|-|Re&wind|Fast &Forward|-|Select Audio &Device...|&Channel Update..."),
        QStringLiteral("&Real-Time Speech|&Clipboard Speech|&Scheduled Speech|-|What's the &Time?|"
                       "What's the &Date?|What's in the Clip&board?|-|Channel &Guide...|&Voice Guide..."),
        QStringLiteral("&Contents...|&Tip of the Day...|-|&Home Page...|Tech &Support...|-|&About..."),
    };
    ASSERT_EQ(items.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(items[i], expected[i]);
}

TEST_F(TfMainTest, ActionsCarryTheirNamesAndShortcuts)
{
    auto w = start();
    const std::vector<std::pair<const char*, QKeySequence>> shortcuts = {
        {"actNew", QKeySequence(QStringLiteral("Ctrl+N"))},
        {"actOpen", QKeySequence(QStringLiteral("Ctrl+O"))},
        {"actSave", QKeySequence(QStringLiteral("Ctrl+S"))},
        {"actWAV", QKeySequence(QStringLiteral("Ctrl+W"))},
        {"actDelete", QKeySequence(QStringLiteral("Shift+Del"))},
        {"actFind", QKeySequence(QStringLiteral("Ctrl+F"))},
        {"actViewToolbar", QKeySequence(QStringLiteral("Ctrl+T"))},
        {"actViewStatusbar", QKeySequence(QStringLiteral("Ctrl+U"))},
        {"actNarrix", QKeySequence(QStringLiteral("Ctrl+L"))},
        {"actProp", QKeySequence(QStringLiteral("Ctrl+P"))},
        {"actAdd", QKeySequence(QStringLiteral("Ctrl+D"))},
        {"actRemove", QKeySequence(QStringLiteral("Ctrl+M"))},
        {"actRun", QKeySequence(QStringLiteral("Ctrl+R"))},
        {"actEdit", QKeySequence(QStringLiteral("F3"))},
        {"actRename", QKeySequence(QStringLiteral("F2"))},
        {"actMoveUp", QKeySequence(QStringLiteral("Ctrl+Up"))},
        {"actMoveDown", QKeySequence(QStringLiteral("Ctrl+Down"))},
        {"actImport", QKeySequence(QStringLiteral("Ctrl+I"))},
        {"actExport", QKeySequence(QStringLiteral("Ctrl+E"))},
        {"actPlay", QKeySequence(QStringLiteral("F5"))},
        {"actPause", QKeySequence(QStringLiteral("F6"))},
        {"actStop", QKeySequence(QStringLiteral("F7"))},
        {"actRewind", QKeySequence(QStringLiteral("Ctrl+Left"))},
        {"actForward", QKeySequence(QStringLiteral("Ctrl+Right"))},
        {"actUpdate", QKeySequence(QStringLiteral("Ctrl+H"))},
        {"actHelp", QKeySequence(QStringLiteral("F1"))},
        {"actExit", QKeySequence()},
        {"askbarButton1", QKeySequence()},
    };
    for (const auto& [name, keys] : shortcuts) {
        auto* action = w->findChild<QAction*>(QString::fromLatin1(name));
        ASSERT_NE(action, nullptr) << name;
        EXPECT_EQ(action->shortcut(), keys) << name;
    }
    // Commands whose behaviour comes later are there but disabled; the window's own work.
    EXPECT_TRUE(w->actions().actPlay->isEnabled()); // the engine is idle
    EXPECT_FALSE(w->actions().actPause->isEnabled());
    EXPECT_FALSE(w->actions().actAdd->isEnabled());
    EXPECT_TRUE(w->actions().actExit->isEnabled());
    EXPECT_TRUE(w->actions().actViewToolbar->isEnabled());
    for (QAction* sw : {w->actions().RealtimeSpeech3, w->actions().Clip2, w->actions().ScheduledSpeech3})
        EXPECT_TRUE(sw->isCheckable() && sw->isChecked());
}

TEST_F(TfMainTest, FirstStartUsesEveryDefaultAndSpeaksTheGreeting)
{
    auto w = start();
    const QRect screen = w->screen()->geometry();
    EXPECT_EQ(w->size(), QSize(470, 384));
    EXPECT_EQ(w->pos(), QPoint((screen.width() - 470) / 2, (screen.height() - 384) / 2));
    EXPECT_TRUE(w->state().firstRun);
    EXPECT_FALSE(w->state().startingUp);
    EXPECT_FALSE(w->state().reading.exitWhenDone);
    EXPECT_EQ(engine.spoken, QStringList{QStringLiteral("Welcome to Narrix!")});
    EXPECT_EQ(w->state().reading.currentTitle, "Greetings");
    EXPECT_EQ(w->state().reading.currentSource, SpeechSource::Scheduled);
    EXPECT_EQ(engine.Speed(), 150);
    EXPECT_EQ(w->state().reading.minSpeed, 80);
    EXPECT_EQ(w->state().reading.maxSpeed, 450);
    EXPECT_EQ(w->statusText(), QStringLiteral(" Ready"));
    EXPECT_TRUE(w->statusBar()->isVisibleTo(w.get()));
    EXPECT_TRUE(errors.isEmpty()) << errors.join(u'\n').toStdString();

    const auto written = shutDown(*w);
    EXPECT_EQ(store.writes.size(), 40);
    EXPECT_EQ(written.value(QStringLiteral("WindowState")), QStringLiteral("Normal"));
    EXPECT_EQ(written.value(QStringLiteral("WindowWidth")), QStringLiteral("470"));
    EXPECT_EQ(written.value(QStringLiteral("Device")), QStringLiteral("4294967295"));
    EXPECT_EQ(written.value(QStringLiteral("Speed")), QStringLiteral("150"));
    EXPECT_EQ(written.value(QStringLiteral("Greetings")), QStringLiteral("Welcome to Narrix!"));
    EXPECT_EQ(written.value(QStringLiteral("TaskbarButton")), QStringLiteral("False"));
    EXPECT_FALSE(written.contains(QStringLiteral("ShowTips")));
    EXPECT_EQ(engine.calls.count(QStringLiteral("Stop")), 1); // speech was running
    EXPECT_EQ(store.flushes, 1);

    // A second start reads its own file back and writes it unchanged.
    const auto first = store.values;
    engine.spoken.clear();
    auto again = start();
    EXPECT_FALSE(again->state().firstRun);
    EXPECT_EQ(shutDown(*again), first);
}

TEST_F(TfMainTest, GreetingNilSpeaksNothingAndEmptySpeaksTheDefault)
{
    storeAll({{u"Greetings", u"<nil>"}});
    start();
    EXPECT_TRUE(engine.spoken.isEmpty());
    storeAll({{u"Greetings", u""}});
    start();
    EXPECT_EQ(engine.spoken, QStringList{QStringLiteral("Welcome to Narrix!")});
    storeAll({{u"Greetings", u"Good morning"}});
    start();
    EXPECT_EQ(engine.spoken.last(), QStringLiteral("Good morning"));
}

// The program's own start shows the window before the greeting is spoken. Speech that comes first
// (a hand-over) still follows the greeting, and the greeting is said once.
TEST_F(TfMainTest, AGreetingAfterTheFirstShowComesOnceAndBeforeEarlierSpeech)
{
    struct Case
    {
        const char* name;
        bool speechBeforeShow;
        QStringList heard;
        std::string title;
    };
    const Case cases[] = {
        {"nothing before the show", false, {QStringLiteral("Welcome to Narrix!")}, "Greetings"},
        {"a hand-over before the show",
         true,
         {QStringLiteral("Welcome to Narrix!"), QStringLiteral("Handed over.")},
         "letter.txt"},
    };
    for (const Case& c : cases) {
        engine.spoken.clear();
        auto w = newWindow();
        w->setGreetingAfterFirstShow(true);
        w->FormCreate({});
        EXPECT_TRUE(engine.spoken.isEmpty()) << c.name;
        if (c.speechBeforeShow)
            w->speakText(SpeechSource::Scheduled, "Handed over.", "letter.txt");
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        EXPECT_TRUE(QTest::qWaitFor([&] { return engine.spoken.size() >= c.heard.size(); })) << c.name;
        // The turns of the event loop after the show, where a second greeting would come.
        for (int turn = 0; turn < 3; ++turn)
            QCoreApplication::processEvents();
        EXPECT_EQ(engine.spoken, c.heard) << c.name;
        EXPECT_EQ(w->state().reading.currentTitle, c.title) << c.name;
    }
}

TEST_F(TfMainTest, LowerCaseBooleansDoNotCount)
{
    storeAll({{u"ViewToolbar", u"false"}, {u"StartMinimized", u"true"}, {u"ViewStatusbar", u"False"}});
    auto w = start();
    EXPECT_TRUE(band(*w, "ToolBand")->isVisibleTo(w.get()));
    EXPECT_TRUE(w->actions().actViewToolbar->isChecked());
    EXPECT_FALSE(w->windowState() & Qt::WindowMinimized);
    EXPECT_FALSE(w->statusBar()->isVisibleTo(w.get()));
    const auto written = shutDown(*w);
    EXPECT_EQ(written.value(QStringLiteral("ViewToolbar")), QStringLiteral("True"));
    EXPECT_EQ(written.value(QStringLiteral("StartMinimized")), QStringLiteral("False"));
    EXPECT_EQ(written.value(QStringLiteral("ViewStatusbar")), QStringLiteral("False"));
}

TEST_F(TfMainTest, StartMinimisedWindowIsWrittenAsItWasBefore)
{
    storeAll({{u"StartMinimized", u"True"}});
    auto w = start();
    EXPECT_TRUE(w->windowState() & Qt::WindowMinimized);
    EXPECT_EQ(w->settings().windowStartState, WindowStartState::Minimized);
    EXPECT_EQ(w->state().stateBeforeStartMinimized, WindowStartState::Normal);
    EXPECT_EQ(engine.spoken.size(), 1); // the greeting is still spoken
    const auto written = shutDown(*w);
    EXPECT_EQ(written.value(QStringLiteral("WindowState")), QStringLiteral("Normal"));
    EXPECT_EQ(written.value(QStringLiteral("StartMinimized")), QStringLiteral("True"));
    EXPECT_FALSE(w->windowState() & Qt::WindowMinimized);
}

TEST_F(TfMainTest, MaximisedWindowKeepsItsOldBounds)
{
    storeAll({{u"WindowState", u"Maximize"},
              {u"WindowLeft", u"11"},
              {u"WindowTop", u"22"},
              {u"WindowWidth", u"333"},
              {u"WindowHeight", u"244"}});
    auto w = start();
    EXPECT_TRUE(w->windowState() & Qt::WindowMaximized);
    w->show();
    QTest::qWait(20);
    shutDown(*w);
    EXPECT_EQ(store.values.value(QStringLiteral("WindowState")), QStringLiteral("Maximize"));
    EXPECT_EQ(store.writes.size(), 36);
    EXPECT_FALSE(store.writes.contains(QStringLiteral("WindowLeft")));
    EXPECT_EQ(store.values.value(QStringLiteral("WindowLeft")), QStringLiteral("11"));
    EXPECT_EQ(store.values.value(QStringLiteral("WindowHeight")), QStringLiteral("244"));
}

TEST_F(TfMainTest, ANonNumericValueEndsStartUpThereAndTheWindowStillWorks)
{
    storeAll({{u"Speed", u"fast"}, {u"Greetings", u"Hello"}, {u"Theme", u"5"}, {u"ViewToolbar", u"False"}});
    auto w = start();
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith(QStringLiteral("FormCreate: setting Speed"))) << errors[0].toStdString();
    EXPECT_TRUE(w->startUpIncomplete());
    EXPECT_TRUE(w->state().startingUp); // the rest of the start-up skipped
    EXPECT_TRUE(engine.spoken.isEmpty());
    EXPECT_FALSE(engine.calls.contains(QStringLiteral("SetSpeed")));
    EXPECT_EQ(w->settings().viewToolbar, false); // read before Speed, not yet applied to the window

    // Shutdown repairs the broken value and keeps what start-up never read.
    const auto written = shutDown(*w);
    EXPECT_EQ(written.value(QStringLiteral("Speed")), QStringLiteral("150"));
    EXPECT_EQ(written.value(QStringLiteral("Greetings")), QStringLiteral("Hello"));
    EXPECT_EQ(written.value(QStringLiteral("Theme")), QStringLiteral("5"));
    EXPECT_FALSE(store.writes.contains(QStringLiteral("Greetings")));
    EXPECT_TRUE(store.writes.contains(QStringLiteral("ViewToolbar")));
}

TEST_F(TfMainTest, SplitsWrittenUnderAnotherLocaleAreReadAndWrittenWithThisOne)
{
    locale = FixedLocale(QLocale(QLocale::German, QLocale::Germany));
    storeAll({{u"Split1", u"0.3"}, {u"WindowWidth", u"600"}});
    auto w = start();
    EXPECT_TRUE(errors.isEmpty()) << errors.join(u'|').toStdString();
    EXPECT_FALSE(w->startUpIncomplete());
    EXPECT_DOUBLE_EQ(w->settings().split1, 0.3);
    EXPECT_EQ(w->width(), 600);
    EXPECT_EQ(engine.spoken.size(), 1); // the greeting
    shutDown(*w);
    EXPECT_TRUE(store.values.value(QStringLiteral("Split1")).startsWith(QStringLiteral("0,")));
}

TEST_F(TfMainTest, ValuesNeverReadAreWrittenBackExactlyAsTheyWere)
{
    // FontSize ends the start-up: nothing after it was read or shown by the window.
    storeAll({{u"FontSize", u"9.5"},
              {u"Split1", u"0.3"},
              {u"Split2", u"0,7"},
              {u"ViewStatusbar", u"True"},
              {u"TaskbarButton", u"True"},
              {u"EnableRealtime", u"False"},
              {u"EnableClipboard", u"False"},
              {u"WindowLeft", u"12"}});
    const QMap<QString, QString> before = store.values;
    auto w = start();
    ASSERT_TRUE(w->startUpIncomplete());
    w->show();
    QTest::qWait(20);
    shutDown(*w);
    for (const QString& name :
         {QStringLiteral("Split1"), QStringLiteral("Split2"), QStringLiteral("ViewStatusbar"),
          QStringLiteral("TaskbarButton"), QStringLiteral("EnableRealtime"),
          QStringLiteral("EnableClipboard"), QStringLiteral("WindowLeft")})
        EXPECT_EQ(store.values.value(name), before.value(name)) << name.toStdString();
    // Values that were never stored are not invented either.
    EXPECT_FALSE(store.values.contains(QStringLiteral("EnableSchedule")));
}

TEST_F(TfMainTest, ABrokenNumberLeavesTheSwitchesReadBeforeItAsTheyWereStored)
{
    // Read before Speed, Theme and Device, but put into the window only after them.
    const QStringList switches = {QStringLiteral("EnableRealtime"), QStringLiteral("EnableClipboard"),
                                  QStringLiteral("EnableSchedule")};
    for (const char16_t* broken : {u"Speed", u"Theme", u"Device"}) {
        for (const QString& switchName : switches) {
            SCOPED_TRACE(QString::fromUtf16(broken).toStdString() + " / " + switchName.toStdString());
            store.values.clear();
            errors.clear();
            storeAll({{broken, u"12x"}, {u"ViewStatusbar", u"True"}, {u"TaskbarButton", u"False"}});
            store.values.insert(switchName, QStringLiteral("False"));
            auto w = start();
            ASSERT_TRUE(w->startUpIncomplete());
            w->show();
            QTest::qWait(5);
            shutDown(*w);
            for (const QString& name : switches)
                EXPECT_EQ(store.values.value(name),
                          name == switchName ? QStringLiteral("False") : QStringLiteral("True"))
                    << name.toStdString();
            EXPECT_EQ(store.values.value(QStringLiteral("ViewStatusbar")), QStringLiteral("True"));
            EXPECT_EQ(store.values.value(QStringLiteral("TaskbarButton")), QStringLiteral("False"));
        }
    }
}

TEST_F(TfMainTest, WindowBoundsOutOfRangeAreClampedNotWrappedWhenWrittenBack)
{
    storeAll(
        {{u"WindowLeft", u"2147483647"}, {u"WindowWidth", u"2147483647"}, {u"WindowTop", u"-2147483648"}});
    auto w = start();
    EXPECT_FALSE(w->startUpIncomplete());
    shutDown(*w);
    bool ok = false;
    const qint64 left = store.values.value(QStringLiteral("WindowLeft")).toLongLong(&ok);
    ASSERT_TRUE(ok);
    EXPECT_GE(left, 0);
    EXPECT_LE(left, 16777215);
    const qint64 width = store.values.value(QStringLiteral("WindowWidth")).toLongLong(&ok);
    EXPECT_GT(width, 0);
    EXPECT_LE(width, 16777215);
    const qint64 top = store.values.value(QStringLiteral("WindowTop")).toLongLong(&ok);
    EXPECT_LE(top, 0);
    EXPECT_GE(top, -16777215);
}

TEST_F(TfMainTest, CommandLineArgumentStartsMinimisedAndSpeaksNoGreeting)
{
    auto w = start({QStringLiteral("/tmp/news.txt")});
    EXPECT_TRUE(w->state().reading.exitWhenDone);
    EXPECT_TRUE(w->windowState() & Qt::WindowMinimized);
    EXPECT_EQ(w->state().reading.currentTitle, "/tmp/news.txt");
    EXPECT_TRUE(engine.spoken.isEmpty());
}

TEST_F(TfMainTest, SwitchesTurnedOffAtStartUpAreWrittenBack)
{
    storeAll({{u"EnableRealtime", u"False"}, {u"EnableSchedule", u"False"}, {u"TaskbarButton", u"True"}});
    auto w = start();
    EXPECT_FALSE(w->actions().RealtimeSpeech3->isChecked());
    EXPECT_TRUE(w->actions().Clip2->isChecked());
    EXPECT_FALSE(w->actions().ScheduledSpeech3->isChecked());
    EXPECT_TRUE(w->actions().askbarButton1->isChecked());
    w->actions().Clip2->trigger();
    w->actions().askbarButton1->trigger();
    const auto written = shutDown(*w);
    EXPECT_EQ(written.value(QStringLiteral("EnableRealtime")), QStringLiteral("False"));
    EXPECT_EQ(written.value(QStringLiteral("EnableClipboard")), QStringLiteral("False"));
    EXPECT_EQ(written.value(QStringLiteral("EnableSchedule")), QStringLiteral("False"));
    EXPECT_EQ(written.value(QStringLiteral("TaskbarButton")), QStringLiteral("False"));
}

TEST_F(TfMainTest, ArrangeBandBarFollowsTheViewSwitches)
{
    auto w = start();
    QToolBar* menu = band(*w, "MenuBand");
    QToolBar* tools = band(*w, "ToolBand");
    auto* logo = w->findChild<QLabel*>(QStringLiteral("Animate1"));
    ASSERT_TRUE(menu && tools && logo);
    EXPECT_EQ(logo->size(), QSize(40, 22));
    EXPECT_EQ(logo->parentWidget(), menu); // on the menu row
    EXPECT_EQ(w->toolBarBreak(tools), true);

    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    EXPECT_TRUE(logo->isVisible() && tools->isVisible());
    EXPECT_LT(menu->geometry().bottom(), tools->geometry().top()); // the toolbar on a row of its own
    EXPECT_GT(logo->mapTo(w.get(), QPoint()).x(), w->width() / 2); // the logo at the menu row's right end

    w->actions().actViewToolbar->trigger();
    w->actions().actNarrix->trigger();
    QCoreApplication::processEvents();
    EXPECT_FALSE(tools->isVisible());
    EXPECT_FALSE(logo->isVisible());
    EXPECT_TRUE(menu->isVisible());
    w->actions().actNarrix->trigger();
    QCoreApplication::processEvents();
    EXPECT_TRUE(logo->isVisible());
    EXPECT_FALSE(tools->isVisible());
    const auto written = shutDown(*w);
    EXPECT_EQ(written.value(QStringLiteral("ViewToolbar")), QStringLiteral("False"));
    EXPECT_EQ(written.value(QStringLiteral("ViewNarrixLogo")), QStringLiteral("True"));
}

TEST_F(TfMainTest, PanesFollowTheRatiosAndTheClamps)
{
    auto w = start();
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    QWidget* client = w->centralWidget();
    auto* document = w->findChild<QWidget*>(QStringLiteral("pnlDocument"));
    auto* right = w->findChild<QWidget*>(QStringLiteral("pnlRight"));
    auto* schedule = w->findChild<QWidget*>(QStringLiteral("pnlSchedule"));
    EXPECT_EQ(document->width(), qRound(client->width() * 0.54));
    EXPECT_EQ(schedule->height(), qRound(right->height() * 0.66));
    EXPECT_EQ(w->editor()->height(), document->height() - 27);
    EXPECT_EQ(w->scheduleList()->height(), schedule->height() - 27);
    EXPECT_EQ(w->scheduleList()->width(), schedule->width() - 13);

    client->resize(60, client->height());
    w->LayoutPanes();
    EXPECT_EQ(document->width(), 16);
    EXPECT_DOUBLE_EQ(w->settings().split1, 0.54); // clamps keep the ratio

    client->resize(500, 300);
    w->LayoutPanes();
    auto* split = w->findChild<SplitterBar*>(QStringLiteral("split"));
    Q_EMIT split->dragged(10); // below the splitter's minimum
    EXPECT_EQ(document->width(), 40);
    EXPECT_DOUBLE_EQ(w->settings().split1, 40.0 / 500);
    Q_EMIT split->dragged(200);
    EXPECT_EQ(document->width(), 200);
    EXPECT_EQ(split->x(), 200);

    auto* splitter1 = w->findChild<SplitterBar*>(QStringLiteral("Splitter1"));
    const int rightHeight = right->height();
    Q_EMIT splitter1->dragged(rightHeight); // the real-time pane keeps 26
    EXPECT_EQ(schedule->height(), rightHeight - 4 - 26);
    const auto written = shutDown(*w);
    EXPECT_EQ(written.value(QStringLiteral("Split1")), QStringLiteral("0.4"));
}

TEST_F(TfMainTest, DraggingTheSplitterWithTheMouseMovesThePanes)
{
    auto w = start();
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    auto* split = w->findChild<SplitterBar*>(QStringLiteral("split"));
    auto* document = w->findChild<QWidget*>(QStringLiteral("pnlDocument"));
    const int before = document->width();
    QTest::mousePress(split, Qt::LeftButton, {}, QPoint(1, 10));
    QMouseEvent move(QEvent::MouseMove, QPointF(-29, 10), split->mapToGlobal(QPointF(-29, 10)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(split, &move);
    // The bar has moved under the mouse: the release comes where the press was, in its coordinates.
    QTest::mouseRelease(split, Qt::LeftButton, {}, QPoint(1, 10));
    EXPECT_EQ(document->width(), before - 30);
}

TEST_F(TfMainTest, EscapeCancelsAndSaysDisconnected)
{
    auto w = start();
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    w->editor()->setPlainText(QStringLiteral("abc"));
    QTest::keyClick(w->editor(), Qt::Key_Escape);
    EXPECT_TRUE(w->transfers().cancelRequested());
    EXPECT_EQ(w->statusText(), QStringLiteral(" Disconnected."));
    EXPECT_EQ(w->editor()->toPlainText(), QStringLiteral("abc"));

    // An editor open in a list row still gets Esc (and closes), and the window still cancels.
    w->setStatusText(QStringLiteral(" Ready"));
    w->transfers().begin(); // a transfer that starts forgets the cancel
    w->transfers().end();
    auto* rowEditor = new QLineEdit(w->scheduleList()->viewport());
    bool editorSawEscape = false;
    rowEditor->installEventFilter(new EscapeWitness(&editorSawEscape, rowEditor));
    QTest::keyClick(rowEditor, Qt::Key_Escape);
    EXPECT_TRUE(editorSawEscape);
    EXPECT_TRUE(w->transfers().cancelRequested());
    EXPECT_EQ(w->statusText(), QStringLiteral(" Disconnected."));
}

TEST_F(TfMainTest, ViewShortcutsWorkFromTheEditor)
{
    auto w = start();
    w->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    w->editor()->setFocus();
    QTest::keyClick(w->editor(), Qt::Key_U, Qt::ControlModifier);
    EXPECT_FALSE(w->statusBar()->isVisible());
    EXPECT_FALSE(w->settings().viewStatusbar);
    QTest::keyClick(w->editor(), Qt::Key_T, Qt::ControlModifier);
    EXPECT_FALSE(band(*w, "ToolBand")->isVisible());
}

TEST_F(TfMainTest, EditCommandsActOnTheFocusedControl)
{
    auto w = start();
    w->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    w->editor()->setPlainText(QStringLiteral("hello"));
    w->editor()->setFocus();
    w->actions().actSelectAll->trigger();
    w->actions().actDelete->trigger();
    EXPECT_TRUE(w->editor()->toPlainText().isEmpty());
    w->realTimeMemo()->setPlainText(QStringLiteral("typed"));
    w->realTimeMemo()->setFocus();
    w->actions().actSelectAll->trigger();
    w->actions().actDelete->trigger(); // read-only
    EXPECT_EQ(w->realTimeMemo()->toPlainText(), QStringLiteral("typed"));
}

TEST_F(TfMainTest, ExitClosesThroughTheCloseRequest)
{
    auto w = start();
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    w->actions().actExit->trigger();
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(w->transfers().cancelRequested());
}

TEST_F(TfMainTest, ATerminationSignalClosesThroughTheCloseRequest)
{
    auto w = start();
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    w->TerminationRequested();
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(w->transfers().cancelRequested());
}

TEST_F(TfMainTest, SessionEndStoresTheSettingsAndLeavesTheWindowAsItIs)
{
    storeAll({{u"StartMinimized", u"True"}, {u"Greetings", u"<nil>"}});
    auto w = start();
    store.writes.clear();
    w->CommitSessionData();
    EXPECT_EQ(store.writes.size(), 40);
    EXPECT_EQ(store.values.value(QStringLiteral("WindowState")), QStringLiteral("Normal"));
    EXPECT_TRUE(w->windowState() & Qt::WindowMinimized); // still running, still minimised
    EXPECT_EQ(store.flushes, 1);
}

TEST_F(TfMainTest, FirstActivationOffersUpdatesAndVoicesWithTheModalCountRaised)
{
    auto w = start();
    w->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return prompter.shown.size() == 2; }, 2000));
    EXPECT_EQ(prompter.shown[0].caption, QStringLiteral("Narrix Update"));
    EXPECT_EQ(prompter.shown[0].icon, QMessageBox::Question);
    EXPECT_EQ(prompter.shown[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_TRUE(prompter.shown[0].text.startsWith(
        QStringLiteral("Some of the Narrix channels installed may need updates.\r\n")));
    EXPECT_TRUE(prompter.shown[1].text.contains(QStringLiteral("Default Voice")));
    EXPECT_TRUE(prompter.shown[1].text.endsWith(QStringLiteral("Do you want to download them now? (FREE!)")));
    EXPECT_EQ(prompter.shown[0].openModalDialogs, 1);
    EXPECT_EQ(w->state().openModalDialogs, 0);
    // Only the first activation counts.
    w->hide();
    w->show();
    w->activateWindow();
    QTest::qWait(50);
    EXPECT_EQ(prompter.shown.size(), 2u);
}

TEST_F(TfMainTest, TheVoiceOfferSaysWhatKindOfVoiceIsSelected)
{
    const std::vector<std::pair<int, QString>> cases = {
        {1, QStringLiteral("Narrix comes with one female voice, SLT, American English female.\r\n")},
        {2, QStringLiteral("Narrix comes with one male voice, SLT, American English female.\r\n")},
        {0, QStringLiteral("Narrix comes with one voice, SLT, American English female.\r\n")}};
    for (const auto& [gender, expected] : cases) {
        engine.modes = {{QStringLiteral("SLT, American English female"), QStringLiteral("slt"), gender}};
        prompter.shown.clear();
        store.values.clear(); // a first run each time
        auto w = start();
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([&] { return prompter.shown.size() == 2; }, 2000));
        EXPECT_TRUE(prompter.shown[1].text.startsWith(expected)) << prompter.shown[1].text.toStdString();
    }
}

// The menu band works as a menu bar: F10 opens the first menu, Left and Right move between the open
// menus (wrapping at the ends), Esc closes.
TEST_F(TfMainTest, MenuBandKeysMoveBetweenMenusLikeAMenuBar)
{
    storeAll({{u"FontCharset", u"0"}}); // no first-run offers in the way
    auto w = start();
    w->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    QList<QMenu*> menus;
    for (QToolButton* button :
         w->findChild<QToolBar*>(QStringLiteral("MenuBand"))->findChildren<QToolButton*>())
        if (button->menu() != nullptr)
            menus << button->menu();
    ASSERT_GE(menus.size(), 3);
    // Which menu must be up before each key.
    const std::vector<std::pair<QMenu*, Qt::Key>> script = {
        {menus[0], Qt::Key_Right}, {menus[1], Qt::Key_Right}, {menus[2], Qt::Key_Left},
        {menus[1], Qt::Key_Left},  {menus[0], Qt::Key_Left},  {menus.last(), Qt::Key_Escape}};
    size_t step = 0;
    QMenu* seenBefore = nullptr; // a key goes to a menu that was up a tick ago: it is settled
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, w.get(), [&] {
        auto* up = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (step < script.size() && up == script[step].first && up == seenBefore) {
            seenBefore = nullptr;
            QTest::keyClick(up, script[step++].second);
            return;
        }
        seenBefore = up;
    });
    driver.start(20);
    QTimer::singleShot(5000, w.get(), [] {
        while (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
    });
    QTest::keyClick(w->editor(), Qt::Key_F10);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return step == script.size() && QApplication::activePopupWidget() == nullptr; }, 5000));
    EXPECT_EQ(step, script.size());
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

TEST_F(TfMainTest, NoOffersWhenNotFirstRunOrTipsOffOrMinimised)
{
    for (const auto& values : std::vector<std::vector<std::pair<const char16_t*, const char16_t*>>>{
             {{u"FontCharset", u"0"}}, {{u"ShowTips", u"False"}}, {{u"WindowState", u"Maximize"}}}) {
        store.values.clear();
        for (const auto& [name, text] : values)
            store.values.insert(QString::fromUtf16(name), QString::fromUtf16(text));
        auto w = start();
        w->show();
        w->activateWindow();
        QTest::qWait(50);
        EXPECT_TRUE(prompter.shown.empty()) << QString::fromUtf16(values[0].first).toStdString();
    }
}

TEST_F(TfMainTest, ModalDialogsRaiseTheCountWhileShown)
{
    auto w = start();
    w->modal().refuse(QStringLiteral("No."));
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].caption, QStringLiteral("Narrix"));
    EXPECT_EQ(prompter.shown[0].icon, QMessageBox::Warning);
    EXPECT_EQ(prompter.shown[0].openModalDialogs, 1);
    prompter.answers.push_back(QMessageBox::Yes);
    EXPECT_TRUE(w->modal().confirm(QStringLiteral("Sure?")));
    EXPECT_EQ(w->state().openModalDialogs, 0);
}

TEST_F(TfMainTest, ShutdownRunsOnceAndAFailedSaveIsReported)
{
    auto w = start();
    store.failFlush = true;
    w->FormDestroy();
    w->FormDestroy();
    EXPECT_EQ(store.flushes, 1);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(QStringLiteral("disk full")));
}

TEST_F(TfMainTest, TheEditorTakesTheDocumentFontWhenFirstShown)
{
    storeAll({{u"FontName", u"Serif"}, {u"FontSize", u"17"}, {u"FontStyle", u"IU"}, {u"FontColor", u"255"}});
    auto w = start();
    w->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    const QFont font = w->editor()->currentFont();
    EXPECT_EQ(font.pointSize(), 17);
    EXPECT_TRUE(font.italic());
    EXPECT_TRUE(font.underline());
    EXPECT_FALSE(font.bold());
    EXPECT_EQ(w->editor()->textColor(), QColor(255, 0, 0));
    EXPECT_FALSE(w->editor()->document()->isModified());
}

TEST_F(TfMainTest, SubsystemServicesAreCalledInStartUpAndShutdownOrder)
{
    FakeMainServices fake;
    auto w = start({}, fake.services());
    EXPECT_EQ(fake.attachedTo, w.get());
    EXPECT_EQ(fake.calls, (QStringList{QStringLiteral("attach"), QStringLiteral("resetKeyState"),
                                       QStringLiteral("createTrayIcon"), QStringLiteral("applyTheme"),
                                       QStringLiteral("handOverToRunningInstance"),
                                       QStringLiteral("connectHook"), QStringLiteral("acceptDroppedFiles"),
                                       QStringLiteral("installMinimizeRestoreHooks"),
                                       QStringLiteral("loadLogoAnimation"), QStringLiteral("startUp")}));
    // Speaking drives the tray animation.
    fake.calls.clear();
    Q_EMIT engine.OnSpeakingStarted();
    Q_EMIT engine.OnSpeakingDone();
    EXPECT_EQ(fake.calls,
              (QStringList{QStringLiteral("startSpeakingAnimation"), QStringLiteral("stopSpeakingAnimation"),
                           QStringLiteral("showStillPicture")}));
    // Esc stops the transfers; the close asks the document first.
    fake.calls.clear();
    w->EscapePressed();
    EXPECT_EQ(fake.calls,
              (QStringList{QStringLiteral("abortHttpTransfer"), QStringLiteral("disconnectEmail")}));
    fake.calls.clear();
    fake.saveAnswer = false;
    EXPECT_FALSE(w->close());
    EXPECT_EQ(fake.calls, QStringList{QStringLiteral("confirmSaveChanges")});
    fake.calls.clear();
    w->FormDestroy();
    EXPECT_EQ(fake.calls, (QStringList{QStringLiteral("disconnectHook"), QStringLiteral("refuseDroppedFiles"),
                                       QStringLiteral("shutDown"), QStringLiteral("freeTrayIcon")}));
}

TEST_F(TfMainTest, ASecondInstanceHandsItsArgumentOverAndEnds)
{
    FakeMainServices fake;
    fake.runningInstance = true;
    auto w = start({QStringLiteral("http://example.org/news")}, fake.services());
    EXPECT_TRUE(w->state().earlyExit);
    EXPECT_EQ(fake.handedOver, QStringList{QStringLiteral("http://example.org/news")});
    EXPECT_FALSE(fake.calls.contains(QStringLiteral("retrieveChannel")));
    EXPECT_TRUE(engine.spoken.isEmpty());
    store.writes.clear();
    w->FormDestroy();
    EXPECT_TRUE(store.writes.isEmpty()); // the running instance keeps the settings
}

TEST_F(TfMainTest, TheCommandLineItemIsRetrievedThroughTheTransferService)
{
    FakeMainServices fake;
    auto w = start({QStringLiteral("/tmp/news.txt")}, fake.services());
    EXPECT_EQ(fake.retrieved, QStringLiteral("/tmp/news.txt"));
}

TEST_F(TfMainTest, ScheduleListHasTwoColumnsCheckBoxesAndMultipleSelection)
{
    auto w = start();
    QTreeView* list = w->scheduleList();
    EXPECT_EQ(list->objectName(), QStringLiteral("ListView1"));
    EXPECT_EQ(list->model()->columnCount(), 2);
    EXPECT_EQ(list->model()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Title"));
    EXPECT_EQ(list->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Schedule"));
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::ExtendedSelection);
    EXPECT_TRUE(w->realTimeMemo()->isReadOnly());
    EXPECT_EQ(w->realTimeMemo()->objectName(), QStringLiteral("RealTime"));
    EXPECT_EQ(w->editor()->objectName(), QStringLiteral("RTFB"));
    EXPECT_EQ(w->findChild<QLabel*>(QStringLiteral("lblDocument"))->text(), QStringLiteral("Untitled"));
    EXPECT_EQ(w->minimumHeight(), 150);
}

} // namespace
} // namespace narrix
