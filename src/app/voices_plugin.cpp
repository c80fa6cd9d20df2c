#include "app/voices_plugin.h"

#include "app/error_hook.h"
#include "app/tf_main.h"
#include "base/maker_addresses.h"
#include "platform/data_folder.h"
#include "speech/audio_device_dialog.h"
#include "speech/speech_engine.h"
#include "speech/speech_properties.h"
#include "speech/voice_properties_dialog.h"

#include <QAction>
#include <QApplication>

namespace narrix {

VoicesPlugin::VoicesPlugin(EngineMaker makeEngine, UrlOpener openUrl)
    : makeEngine_(std::move(makeEngine)), openUrl_(std::move(openUrl))
{
}

VoicesPlugin::~VoicesPlugin()
{
    delete propertiesDialog_.data();
    delete deviceDialog_.data();
}

void VoicesPlugin::attach(TfMain& window)
{
    window_ = &window;
    const MainActions& a = window.actions();
    const auto command = [this](QAction* action, const QString& name, auto run) {
        action->setEnabled(true);
        connect(action, &QAction::triggered, this, [name, run] { runGuarded(name, run); });
    };
    command(a.actProp, QStringLiteral("actPropExecute"), [this] { openProperties(); });
    command(a.actDevice, QStringLiteral("actDeviceExecute"), [this] { openDevice(); });
    command(a.VoiceGuide1, QStringLiteral("VoiceGuide1Click"), [this] { openVoiceGuide(); });
    connect(&window.tts(), &SpeechEngine::OnDeviceFallback, this, &VoicesPlugin::deviceFellBack);
}

void VoicesPlugin::buildProperties()
{
    propertiesEngine_ = makeEngine_();
    SpeechProperties::Hooks hooks;
    hooks.showScanMessage = [this] {
        window_->modal().message(QMessageBox::Information, QStringLiteral("Narrix"),
                                 SpeechProperties::kScanMessage);
    };
    hooks.setBusyCursor = [](bool on) {
        if (on)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    };
    hooks.showEngineSettings = [this] { propertiesEngine_->ShowSettingsDialog(propertiesDialog_.data()); };
    properties_ = std::make_unique<SpeechProperties>(
        *propertiesEngine_, window_->readingState(),
        VoiceDatabase(programDataFile(QStringLiteral("nxvoice.ini"))), std::move(hooks));
    propertiesDialog_ = new TfrmProp(
        *properties_, [this] { openVoiceGuide(); }, window_);
}

void VoicesPlugin::openProperties()
{
    if (!propertiesDialog_)
        buildProperties();
    const Settings& settings = window_->settings();
    properties_->open({settings.voice, settings.speed, settings.device});
    propertiesDialog_->refresh();
    window_->modal().exec(*propertiesDialog_);

    // The voice now speaks in the main engine too (the speed is shared already).
    Settings changed = window_->settings();
    changed.voice = properties_->values().voice;
    changed.speed = properties_->values().speed;
    window_->applySettings(changed);
    SpeechEngine& engine = window_->tts();
    for (int mode = 1; mode <= engine.ModeCount(); ++mode) {
        if (engine.ModeName(mode) == changed.voice) {
            if (engine.CurrentMode() != mode)
                engine.Select(mode);
            break;
        }
    }
}

void VoicesPlugin::openDevice()
{
    if (!deviceDialog_)
        deviceDialog_ = new TfrmDevice(
            [this](const QString& warning) {
                window_->modal().message(QMessageBox::Information, QStringLiteral("Narrix"), warning);
            },
            window_);
    deviceDialog_->open(window_->settings().device);
    if (window_->modal().exec(*deviceDialog_) != QDialog::Accepted)
        return;
    Settings changed = window_->settings();
    changed.device = deviceDialog_->device();
    window_->applySettings(changed);
    window_->tts().SetDevice(changed.device);
}

void VoicesPlugin::openVoiceGuide()
{
    if (openUrl_)
        openUrl_(QUrl(QString::fromLatin1(maker::kVoicesPage)));
}

void VoicesPlugin::deviceFellBack(const QString& lostDevice)
{
    window_->setStatusText(
        QStringLiteral(" The audio device %1 is not available; speaking on the default output.")
            .arg(lostDevice.isEmpty() ? QStringLiteral("chosen") : QStringLiteral("\"%1\"").arg(lostDevice)));
}

} // namespace narrix
