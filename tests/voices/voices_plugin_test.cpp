// Voices and the audio device in the main window: the properties dialog's first opening scans after
// its message and later ones do not, the chosen voice reaches the main engine and the settings, the
// device dialog's OK applies the device, and the voice guide opens the voices page.
#include "app/tf_main.h"
#include "base/error_hook.h"
#include "base/maker_addresses.h"
#include "platform/data_folder.h"
#include "speech/speech_properties.h"
#include "support/main_window_harness.h"
#include "voices/voices_plugin.h"

#include "fakes/fake_speech_engine.h"

#include <QAction>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace narrix {
namespace {

using namespace Qt::StringLiterals;

using testing::FakeSpeechEngine;

std::vector<FakeSpeechEngine::Mode> voices()
{
    return {{u"Anna (German)"_s, u"Anna"_s, 1, 25, 7}, {u"Dora (English)"_s, u"Dora"_s, 1, 35, 9}};
}

class VoicesPluginTest : public ::testing::Test, protected testing::MainWindowHarness<>
{
};

TEST_F(VoicesPluginTest, PropertiesDeviceAndVoiceGuide)
{
    QTemporaryDir dir;
    setGivenDataFolder(dir.path());
    QStringList errors;
    setErrorSinkForTesting(
        [&errors](const QString& where, const QString& message) { errors << where + message; });
    engine.modes = voices();
    store.setValue(QStringLiteral("Greetings"), QStringLiteral("<nil>"));
    store.setValue(QStringLiteral("Voice"), QStringLiteral("Dora (English)"));
    int enginesMade = 0;
    QList<QUrl> opened;
    VoicesPlugin plugin(
        [&enginesMade] {
            ++enginesMade;
            auto made = std::make_unique<FakeSpeechEngine>();
            made->modes = voices();
            return made;
        },
        [&opened](const QUrl& url) { opened << url; });
    MainServices services;
    services.plugins = {&plugin};
    auto window = newWindow(services);
    window->FormCreate({});
    prompter.shown.clear();
    engine.selected = 1;

    window->actions().actProp->trigger();
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, SpeechProperties::kScanMessage);
    EXPECT_EQ(prompter.shown[0].icon, QMessageBox::Information);
    EXPECT_EQ(prompter.shown[0].openModalDialogs, 1);
    EXPECT_EQ(prompter.dialogOpenModalDialogs, std::vector<int>{1});
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("nxvoice.ini"))));
    EXPECT_EQ(window->settings().voice, u"Dora (English)"_s);
    EXPECT_EQ(engine.selected, 2); // the main engine speaks with it

    window->actions().actProp->trigger();
    EXPECT_EQ(prompter.shown.size(), 1u); // no second scan
    EXPECT_EQ(enginesMade, 1);            // built once

    prompter.dialogResults = {QDialog::Accepted};
    engine.device = 7;
    window->actions().actDevice->trigger();
    EXPECT_EQ(window->settings().device, -1);
    EXPECT_EQ(engine.device, -1);
    window->actions().actDevice->trigger(); // Cancel
    EXPECT_EQ(engine.device, -1);

    window->actions().VoiceGuide1->trigger();
    EXPECT_EQ(opened, QList<QUrl>{QUrl(QString::fromLatin1(maker::kVoicesPage))});
    EXPECT_TRUE(errors.isEmpty()) << errors.join(QLatin1Char('\n')).toStdString();
    window.reset();
    setErrorSinkForTesting(nullptr);
    setGivenDataFolder({});
}

} // namespace
} // namespace narrix
