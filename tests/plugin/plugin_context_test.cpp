// A plugin reaches the window only through its context: speech with a title, settings changes with
// their signal, and the reading states as signals, which also drive the tray's speaking animation.
#include "plugin/plugin_context.h"

#include "app/tf_main.h"
#include "fakes/fake_main_services.h"
#include "fakes/fake_prompter.h"
#include "fakes/fake_speech_engine.h"
#include "fakes/memory_settings_store.h"
#include "platform/locale_adapter.h"
#include "plugin/plugin.h"

#include <QAction>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace narrix {
namespace {

using testing::FakeMainServices;
using testing::FakePrompter;
using testing::FakeSpeechEngine;
using testing::MemorySettingsStore;

// Keeps the context it is given and records what the plugin sees happen.
class RecordingPlugin final : public Plugin
{
public:
    void attach(PluginContext& given) override { context = &given; }
    void startUp() override { startedWithSettings = context->settings(); }

    PluginContext* context = nullptr;
    Settings startedWithSettings;
};

class PluginContextTest : public ::testing::Test
{
protected:
    FakeSpeechEngine engine;
    MemorySettingsStore store;
    FakePrompter prompter;
    FakeMainServices fake;
    FixedLocale locale{QLocale(QLocale::English, QLocale::UnitedStates)};
    RecordingPlugin plugin;
    std::unique_ptr<TfMain> window;

    void SetUp() override
    {
        MainServices services = fake.services();
        services.plugins = {&plugin};
        window = std::make_unique<TfMain>(engine, store, prompter, locale, services);
        prompter.state = &window->state();
        window->FormCreate({});
        Q_EMIT engine.OnSpeakingDone(); // the greeting is over
        engine.spoken.clear();
        fake.calls.clear();
    }
    void TearDown() override { window.reset(); }
};

TEST_F(PluginContextTest, TheContextIsTheWindowsOwn)
{
    ASSERT_NE(plugin.context, nullptr);
    EXPECT_EQ(plugin.context->actions().actPlay, window->actions().actPlay);
    EXPECT_EQ(&plugin.context->window(), window.get());
    EXPECT_EQ(plugin.startedWithSettings, window->settings());
}

TEST_F(PluginContextTest, SpeechWithATitleRaisesTheReadingSignalsAndTheTrayFollows)
{
    PluginContext& context = *plugin.context;
    QSignalSpy started(&context, &PluginContext::speakingStarted);
    QSignalSpy done(&context, &PluginContext::speakingDone);
    QSignalSpy paused(&context, &PluginContext::speakingPaused);

    context.speak(SpeechSource::Scheduled, QStringLiteral("The item's text."), QStringLiteral("An item"));
    ASSERT_EQ(engine.spoken, QStringList{QStringLiteral("The item's text.")});
    engine.busy = 1;
    Q_EMIT engine.OnSpeakingStarted();
    EXPECT_EQ(window->statusText(), QStringLiteral(" Reading... [An item]"));
    EXPECT_EQ(started.count(), 1);
    window->UpdateReadingActions(); // as when the window is next idle
    window->actions().actPause->trigger();
    EXPECT_EQ(paused.count(), 1);
    engine.busy = 0;
    Q_EMIT engine.OnSpeakingDone();
    EXPECT_EQ(done.count(), 1);
    EXPECT_EQ(fake.calls,
              (QStringList{QStringLiteral("startSpeakingAnimation"), QStringLiteral("stopSpeakingAnimation"),
                           QStringLiteral("showStillPicture")}));

    // Without a title the running item keeps the one it has.
    context.speak(SpeechSource::Scheduled, QStringLiteral("More text."));
    Q_EMIT engine.OnSpeakingStarted();
    EXPECT_EQ(window->statusText(), QStringLiteral(" Reading... [An item]"));
}

TEST_F(PluginContextTest, AChangedSettingsRecordReachesTheWindowAndIsAnnounced)
{
    PluginContext& context = *plugin.context;
    QSignalSpy changed(&context, &PluginContext::settingsChanged);
    Settings settings = context.settings();
    settings.viewStatusbar = !settings.viewStatusbar;
    settings.proxy = QStringLiteral("proxy.example");
    context.changeSettings(settings);
    EXPECT_EQ(window->settings(), settings);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).value<Settings>(), settings);
}

} // namespace
} // namespace narrix
