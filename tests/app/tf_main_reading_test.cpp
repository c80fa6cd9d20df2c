// Reading control in the main window: the commands reach the engine from the menu and the editor's
// pop-up menu, their enabled states follow the engine when idle, and the status bar shows the events.
#include "app/tf_main.h"

#include "support/main_window_harness.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <gtest/gtest.h>

namespace narrix {
namespace {

class TfMainReadingTest : public ::testing::Test, protected testing::MainWindowHarness<>
{
protected:
    std::unique_ptr<TfMain> window;

    void SetUp() override
    {
        window = newWindow();
        window->FormCreate({});
    }
    void TearDown() override { window.reset(); }
    void idle() { QTest::qWait(20); }
};

TEST_F(TfMainReadingTest, TheGreetingIsHeardWithItsTitle)
{
    ASSERT_EQ(engine.spoken, QStringList{QStringLiteral("Welcome to Narrix!")});
    Q_EMIT engine.OnSpeakingStarted();
    EXPECT_EQ(window->statusText(), QStringLiteral(" Reading... [Greetings]"));
    EXPECT_TRUE(window->state().reading.speaking);
    Q_EMIT engine.OnSpeakingDone();
    EXPECT_EQ(window->statusText(), QStringLiteral(" Ready"));
    EXPECT_EQ(window->state().reading.currentSource, SpeechSource::None);
}

TEST_F(TfMainReadingTest, PlaySpeaksTheDocumentOrItsSelection)
{
    Q_EMIT engine.OnSpeakingDone(); // the greeting is over
    engine.spoken.clear();
    QTextEdit* editor = window->editor();
    editor->setPlainText(QStringLiteral("First paragraph.\nSecond paragraph."));
    window->actions().actPlay->trigger();
    ASSERT_EQ(engine.spoken.size(), 1);
    EXPECT_EQ(engine.spoken[0], QStringLiteral("First paragraph.\nSecond paragraph."));
    EXPECT_EQ(window->state().reading.currentSource, SpeechSource::Document);

    Q_EMIT engine.OnSpeakingDone();
    QTextCursor cursor(editor->document());
    cursor.setPosition(6);
    cursor.setPosition(23, QTextCursor::KeepAnchor);
    editor->setTextCursor(cursor);
    window->actions().actPlay->trigger();
    ASSERT_EQ(engine.spoken.size(), 2);
    EXPECT_EQ(engine.spoken[1], QStringLiteral("paragraph.\nSecond"));
}

TEST_F(TfMainReadingTest, EnabledStatesFollowTheEngineWhenIdle)
{
    const MainActions& a = window->actions();
    engine.busy = 0;
    Q_EMIT engine.OnSpeakingDone();
    idle();
    EXPECT_TRUE(a.actPlay->isEnabled());
    EXPECT_FALSE(a.actPause->isEnabled());
    EXPECT_FALSE(a.actStop->isEnabled());
    engine.busy = 1;
    Q_EMIT engine.OnSpeakingStarted();
    idle();
    EXPECT_FALSE(a.actPlay->isEnabled());
    EXPECT_TRUE(a.actPause->isEnabled() && a.actRewind->isEnabled() && a.actForward->isEnabled());
    EXPECT_TRUE(a.actStop->isEnabled());

    engine.calls.clear();
    a.actRewind->trigger();
    a.actForward->trigger();
    a.actPause->trigger();
    engine.busy = 0; // paused
    idle();
    a.actStop->trigger();
    EXPECT_EQ(engine.calls, (QStringList{QStringLiteral("Rewind"), QStringLiteral("FastForward"),
                                         QStringLiteral("Pause"), QStringLiteral("Stop")}));
}

TEST_F(TfMainReadingTest, TheEditorsPopUpMenuOffersTheReadingCommands)
{
    QList<QAction*> offered;
    QTimer::singleShot(50, qApp, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            offered = menu->actions();
            menu->close();
        }
    });
    Q_EMIT window->editor()->customContextMenuRequested(QPoint(5, 5));
    const MainActions& a = window->actions();
    for (QAction* action : {a.actPlay, a.actPause, a.actStop, a.actRewind, a.actForward})
        EXPECT_TRUE(offered.contains(action)) << action->objectName().toStdString();
}

TEST_F(TfMainReadingTest, PlayWithAnEmptyDocumentAsksWhatToHear)
{
    Q_EMIT engine.OnSpeakingDone();
    engine.spoken.clear();
    window->editor()->clear();
    prompter.dialogResults = {QDialog::Rejected};
    window->actions().actPlay->trigger();
    EXPECT_TRUE(engine.spoken.isEmpty());
    EXPECT_TRUE(prompter.dialogResults.empty());                     // the guide was shown, and cancelled
    EXPECT_EQ(prompter.dialogOpenModalDialogs, std::vector<int>{1}); // counted once, not twice
    EXPECT_EQ(window->state().openModalDialogs, 0);
}

// A command-line speech ends the program when it is done, also when the window was minimised at
// start and is hidden before it closes (a hidden window's close alone does not end Qt's loop).
TEST_F(TfMainReadingTest, ExitWhenDoneEndsTheProgramFromAHiddenMinimisedWindow)
{
    window.reset();
    window = newWindow();
    window->FormCreate({QStringLiteral("/no/such/news.txt")});
    ASSERT_TRUE(window->state().reading.exitWhenDone);
    window->show();
    ASSERT_TRUE(window->isMinimized());
    QTimer::singleShot(0, window.get(), [this] {
        window->readingState().speechBuffer = "The news.";
        window->SpeakBuffer(SpeechSource::Scheduled);
        Q_EMIT engine.OnSpeakingStarted();
        Q_EMIT engine.OnSpeakingDone();
    });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(7); });
    guard.start(5000);
    EXPECT_EQ(QCoreApplication::exec(), 0) << "the program went on without a window";
    EXPECT_TRUE(window->isHidden());
}

} // namespace
} // namespace narrix
