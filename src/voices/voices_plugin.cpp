#include "voices/voices_plugin.h"

#include "base/error_hook.h"
#include "base/maker_addresses.h"
#include "platform/data_folder.h"
#include "plugin/plugin_context.h"
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

void VoicesPlugin::attach(PluginContext& context)
{
    context_ = &context;
    const MainActions& a = context.actions();
    const auto command = [this](QAction* action, const QString& name, auto run) {
        action->setEnabled(true);
        connect(action, &QAction::triggered, this, [name, run] { runGuarded(name, run); });
    };
    command(a.actProp, QStringLiteral("actPropExecute"), [this] { openProperties(); });
    command(a.actDevice, QStringLiteral("actDeviceExecute"), [this] { openDevice(); });
    command(a.VoiceGuide1, QStringLiteral("VoiceGuide1Click"), [this] { openVoiceGuide(); });
    connect(&context.tts(), &SpeechEngine::OnDeviceFallback, this, &VoicesPlugin::deviceFellBack);
}

void VoicesPlugin::buildProperties()
{
    propertiesEngine_ = makeEngine_();
    SpeechProperties::Hooks hooks;
    hooks.showScanMessage = [this] {
        context_->modal().message(QMessageBox::Information, QStringLiteral("Narrix"),
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
        *propertiesEngine_, context_->speedRange(),
        VoiceDatabase(programDataFile(QStringLiteral("nxvoice.ini"))), std::move(hooks));
    propertiesDialog_ = new TfrmProp(
        *properties_, [this] { openVoiceGuide(); }, &context_->window());
}

void VoicesPlugin::openProperties()
{
    if (!propertiesDialog_)
        buildProperties();
    const Settings& settings = context_->settings();
    properties_->open({settings.voice, settings.speed, settings.device});
    propertiesDialog_->refresh();
    context_->modal().exec(*propertiesDialog_);

    // The voice now speaks in the main engine too (the speed is shared already).
    Settings changed = context_->settings();
    changed.voice = properties_->values().voice;
    changed.speed = properties_->values().speed;
    context_->changeSettings(changed);
    SpeechEngine& engine = context_->tts();
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
                context_->modal().message(QMessageBox::Information, QStringLiteral("Narrix"), warning);
            },
            &context_->window());
    deviceDialog_->open(context_->settings().device);
    if (context_->modal().exec(*deviceDialog_) != QDialog::Accepted)
        return;
    Settings changed = context_->settings();
    changed.device = deviceDialog_->device();
    context_->changeSettings(changed);
    context_->tts().SetDevice(changed.device);
}

void VoicesPlugin::openVoiceGuide()
{
    if (openUrl_)
        openUrl_(QUrl(QString::fromLatin1(maker::kVoicesPage)));
}

void VoicesPlugin::deviceFellBack(const QString& lostDevice)
{
    context_->setStatusText(
        lostDevice.isEmpty()
            ? QCoreApplication::translate(
                  "StatusBar", " The audio device chosen is not available; speaking on the default output.")
            : QCoreApplication::translate(
                  "StatusBar", " The audio device \"%1\" is not available; speaking on the default output.")
                  .arg(lostDevice));
}

} // namespace narrix
