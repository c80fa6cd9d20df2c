// The engine's settings dialog: values in and out, per backend, and through the engine's hook.
#include "speech/engine_settings_dialog.h"

#include "speech/text_to_speech.h"
#include "speech/voice_tuning_store.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <gtest/gtest.h>

namespace narrix {
namespace {

TEST(EngineSettingsDialog, ShowsWhatEachBackendOffersAndReturnsTheValues)
{
    VoiceTuning tuning;
    tuning.pitch = -20;
    tuning.volume = 150;
    tuning.pitchRange = 80;
    tuning.wordGap = 5;
    EngineSettingsDialog espeak(QStringLiteral("German (espeak-ng)"), SynthBackendKind::Espeak, tuning);
    EXPECT_EQ(espeak.findChildren<QSlider*>().size(), 4);
    EXPECT_EQ(espeak.tuning(), tuning);
    espeak.findChild<QSlider*>(QStringLiteral("pitch"))->setValue(10);
    EXPECT_EQ(espeak.tuning().pitch, 10);
    espeak.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::RestoreDefaults)->click();
    EXPECT_EQ(espeak.tuning(), VoiceTuning{});

    EngineSettingsDialog flite(QStringLiteral("SLT"), SynthBackendKind::Flite, tuning);
    EXPECT_EQ(flite.findChildren<QSlider*>().size(), 2);
    const VoiceTuning back = flite.tuning();
    EXPECT_EQ(back.pitch, -20);
    EXPECT_EQ(back.volume, 150);
    EXPECT_EQ(back.pitchRange, VoiceTuning{}.pitchRange); // not offered, left as it is by default
}

TEST(EngineSettingsDialog, EngineHookAppliesAndKeepsTheChoicePerVoice)
{
    AudioSinkOptions null;
    null.kind = AudioSinkOptions::Kind::Null;
    TTextToSpeech engine(null);
    engine.SetSuppressExceptions(0);
    EXPECT_THROW(engine.ShowSettingsDialog(nullptr), std::runtime_error);

    // Through the dialog seam the program gives it (here one that counts what it shows).
    int shown = 0;
    engine.setSettingsDialogHook(engineSettingsDialog([&shown](QDialog& dialog) {
        ++shown;
        return dialog.exec();
    }));
    engine.Select(2);
    const QString voice = engine.ModeName(2);
    QTimer::singleShot(0, qApp, [] {
        auto* dialog = qobject_cast<EngineSettingsDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QSlider*>(QStringLiteral("volume"))->setValue(60);
        dialog->accept();
    });
    engine.ShowSettingsDialog(nullptr);
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(engine.Tuning().volume, 60);
    EXPECT_EQ(loadVoiceTuning(voice).volume, 60);

    // Another voice keeps its own values; coming back finds the stored ones.
    engine.Select(3);
    EXPECT_EQ(engine.Tuning().volume, loadVoiceTuning(engine.ModeName(3)).volume);
    engine.Select(2);
    EXPECT_EQ(engine.Tuning().volume, 60);

    // Cancel changes nothing.
    QTimer::singleShot(0, qApp, [] {
        auto* dialog = qobject_cast<EngineSettingsDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QSlider*>(QStringLiteral("volume"))->setValue(10);
        dialog->reject();
    });
    engine.ShowSettingsDialog(nullptr);
    EXPECT_EQ(engine.Tuning().volume, 60);
    saveVoiceTuning(voice, VoiceTuning{});
}

} // namespace
} // namespace narrix
