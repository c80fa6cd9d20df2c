// Real-time, clipboard and time speech in the main window: the hook's reports reach the memo and the
// engine, the clipboard and the clock are heard through tmrClip, the Tools commands speak, and a hook
// library that cannot be loaded ends the start-up without a message.
#include "app/tf_main.h"
#include "base/error_hook.h"
#include "desktop/chrome_tray.h"
#include "platform/environment.h"
#include "sources/source_availability.h"
#include "speech_sources/speech_sources_plugin.h"

#include "fakes/fake_clock.h"
#include "fakes/fake_keyboard_state.h"
#include "support/main_window_harness.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

namespace narrix {
namespace {

using testing::FakeClock;
using testing::FakeKeyboardState;

class SpeechSourcesPluginTest : public ::testing::Test, protected testing::MainWindowHarness<>
{
protected:
    FakeKeyboardState keyboard;
    FakeClock clock{QDateTime(QDate(2026, 12, 7), QTime(13, 20, 0))};
    QStringList errors;
    std::unique_ptr<SpeechSourcesPlugin> plugin;
    std::unique_ptr<TfMain> window;

    void SetUp() override
    {
        setErrorSinkForTesting([this](const QString& where, const QString& message) {
            errors << where + QLatin1Char(':') + message;
        });
        store.setValue(QStringLiteral("FontCharset"), QStringLiteral("0"));
        store.setValue(QStringLiteral("Greetings"), QStringLiteral("<nil>"));
        QGuiApplication::clipboard()->clear();
    }
    void TearDown() override
    {
        window.reset();
        plugin.reset();
        setErrorSinkForTesting(nullptr);
    }
    void start(const QString& library = qEnvironmentVariable("FAKE_HOOK_LIBRARY"))
    {
        plugin = std::make_unique<SpeechSourcesPlugin>(keyboard, clock, library);
        MainServices services;
        services.realtimeHook = plugin.get();
        services.plugins = {plugin.get()};
        window = newWindow(services);
        window->FormCreate({});
    }
    bool heard(const QString& text)
    {
        return QTest::qWaitFor([&] { return engine.spoken.contains(text); }, 5000);
    }
};

TEST_F(SpeechSourcesPluginTest, TheHooksReportsAreTypingSpokenAsRealTimeSpeech)
{
    // The stand-in library reports "a" pressed and released, then Space.
    start();
    ASSERT_FALSE(window->startUpIncomplete()) << errors.join(QLatin1Char('\n')).toStdString();
    ASSERT_TRUE(heard(QStringLiteral("a")));
    EXPECT_EQ(window->state().reading.currentSource, SpeechSource::RealTime);
    EXPECT_EQ(window->realTimeMemo()->toPlainText(), QString());
    EXPECT_EQ(window->realTimeMemo()->focusPolicy(), Qt::NoFocus);
}

TEST_F(SpeechSourcesPluginTest, WithRealTimeSpeechUntickedTheMemoFollowsButNothingIsSpoken)
{
    store.setValue(QStringLiteral("EnableRealtime"), QStringLiteral("False"));
    store.setValue(QStringLiteral("RealMode"), QStringLiteral("Sentence"));
    start();
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return window->realTimeMemo()->toPlainText() == QStringLiteral("a "); }, 5000));
    EXPECT_TRUE(engine.spoken.isEmpty());
}

TEST_F(SpeechSourcesPluginTest, ClipboardAndTimeAreHeardThroughTheTimer)
{
    start();
    ASSERT_TRUE(heard(QStringLiteral("a")));
    Q_EMIT engine.OnSpeakingDone();
    QGuiApplication::clipboard()->setText(QStringLiteral("copied text"));
    ASSERT_TRUE(heard(QStringLiteral("copied text")));
    EXPECT_EQ(window->state().reading.currentSource, SpeechSource::Clipboard);
    // On the hour the time is told, once; the clipboard text is not repeated.
    clock.set(QDateTime(QDate(2026, 12, 7), QTime(14, 0, 2)));
    ASSERT_TRUE(heard(QStringLiteral("It's 2 o'clock now.")));
    QTest::qWait(1100);
    EXPECT_EQ(engine.spoken, (QStringList{QStringLiteral("a"), QStringLiteral("copied text"),
                                          QStringLiteral("It's 2 o'clock now.")}));
}

// What a password manager copies is marked secret on the clipboard; the window never speaks it.
TEST_F(SpeechSourcesPluginTest, APasswordCopiedFromAPasswordManagerIsNotSpoken)
{
    start();
    ASSERT_TRUE(heard(QStringLiteral("a")));
    Q_EMIT engine.OnSpeakingDone();
    auto* secret = new QMimeData; // the clipboard takes it over
    secret->setText(QStringLiteral("correct horse battery staple"));
    secret->setData(QStringLiteral("x-kde-passwordManagerHint"), QByteArrayLiteral("secret"));
    QGuiApplication::clipboard()->setMimeData(secret);
    QTest::qWait(700);
    window->actions().WhatsintheClipboard1->trigger();
    Q_EMIT engine.OnSpeakingDone();
    QGuiApplication::clipboard()->setText(QStringLiteral("a public text"));
    ASSERT_TRUE(heard(QStringLiteral("a public text")));
    EXPECT_EQ(engine.spoken,
              (QStringList{QStringLiteral("a"), QStringLiteral("There is no text in the Clipboard."),
                           QStringLiteral("a public text")}));
}

TEST_F(SpeechSourcesPluginTest, ToolsCommands)
{
    start();
    ASSERT_TRUE(heard(QStringLiteral("a")));
    Q_EMIT engine.OnSpeakingDone();
    const MainActions& a = window->actions();
    ASSERT_TRUE(a.Whatsthetime1->isEnabled() && a.WhatstheDate1->isEnabled() &&
                a.WhatsintheClipboard1->isEnabled());
    a.Whatsthetime1->trigger();
    Q_EMIT engine.OnSpeakingDone();
    a.WhatstheDate1->trigger();
    Q_EMIT engine.OnSpeakingDone();
    a.WhatsintheClipboard1->trigger();
    EXPECT_EQ(engine.spoken, (QStringList{QStringLiteral("a"), QStringLiteral("It's 1 20 now."),
                                          QStringLiteral("Today is Monday, December the 7th."),
                                          QStringLiteral("There is no text in the Clipboard.")}));
}

// A Wayland session without XWayland: both background switches, and their tray twins, are greyed with
// the reason as status and tool tip (their menus show tool tips), and keep the ticks saved for a session
// where they work. Scheduled speech is untouched.
TEST_F(SpeechSourcesPluginTest, SwitchesOfSourcesThatHearNothingHereAreGreyedWithTheReason)
{
    const SourceAvailability availability = sourceAvailability(u"wayland", Environment{});
    ASSERT_FALSE(availability.typingHeard() || availability.clipboardHeard());
    ChromeTray tray;
    plugin =
        std::make_unique<SpeechSourcesPlugin>(keyboard, clock, qEnvironmentVariable("FAKE_HOOK_LIBRARY"));
    plugin->setAvailability(availability);
    MainServices services;
    services.realtimeHook = plugin.get();
    services.plugins = {plugin.get()};
    services.tray = &tray;
    services.windowParts = {&tray};
    window = newWindow(services);
    window->FormCreate({});
    const MainActions& a = window->actions();
    struct Row
    {
        QAction* toggle;
        const char* twin;
        QString reason;
    };
    for (const Row& row : {Row{a.RealtimeSpeech3, "RealtimeSpeech1", availability.typingUnavailable},
                           Row{a.Clip2, "Clip1", availability.clipboardUnavailable},
                           Row{a.ScheduledSpeech3, "ScheduledSpeech1", QString()}}) {
        SCOPED_TRACE(row.twin);
        auto* twin = tray.trayMenu()->findChild<QAction*>(QLatin1String(row.twin));
        ASSERT_NE(twin, nullptr);
        for (QAction* action : {row.toggle, twin}) {
            EXPECT_EQ(action->isEnabled(), row.reason.isEmpty());
            EXPECT_TRUE(action->isChecked());
            EXPECT_EQ(action->statusTip(), row.reason);
        }
        if (!row.reason.isEmpty()) {
            EXPECT_EQ(row.toggle->toolTip(), row.reason);
            EXPECT_EQ(twin->toolTip(), row.reason);
        }
    }
    auto* tools = window->findChild<QMenu*>(QStringLiteral("mnuTools"));
    ASSERT_NE(tools, nullptr);
    EXPECT_TRUE(tools->toolTipsVisible());
    EXPECT_TRUE(tray.trayMenu()->toolTipsVisible());
    window.reset(); // before the tray it uses
}

TEST_F(SpeechSourcesPluginTest, AMissingHookLibraryEndsTheStartUpQuietly)
{
    start(QStringLiteral("/nonexistent/librealtime.so"));
    EXPECT_TRUE(window->startUpIncomplete());
    EXPECT_EQ(errors,
              QStringList{QStringLiteral("FormCreate:REALTIME.DLL not found.\r\nExit and run Setup again.")});
    // The timer gets no further than its first step: a copied text is recorded, never spoken.
    QGuiApplication::clipboard()->setText(QStringLiteral("copied text"));
    QTest::qWait(700);
    EXPECT_TRUE(engine.spoken.isEmpty());
}

} // namespace
} // namespace narrix
