#pragma once

#include "plugin/feature_services.h"
#include "plugin/plugin.h"

#include <QObject>
#include <QPointer>
#include <QUrl>
#include <functional>
#include <memory>

namespace narrix {

class SpeechEngine;
class SpeechProperties;
class TfrmDevice;
class TfrmProp;

// Voices and the audio device in the main window: "Speech P&roperties..." (its own hidden engine and
// the voice database), "Select Audio &Device...", "&Voice Guide..." and the "Get More!!!" link. The
// dialogs are built when first opened and kept for later openings; what they change reaches the main
// engine at once and the settings record (written at shutdown).
class VoicesPlugin final : public QObject, public Plugin, public TipsUpdatesService
{
    Q_OBJECT
public:
    using EngineMaker = std::function<std::unique_ptr<SpeechEngine>()>;
    using UrlOpener = std::function<void(const QUrl&)>;

    // `makeEngine` gives the properties dialog its engine; `openUrl` opens a web page in the browser.
    VoicesPlugin(EngineMaker makeEngine, UrlOpener openUrl);
    ~VoicesPlugin() override;

    void attach(PluginContext& context) override;

    void openProperties();
    void openDevice();
    // The maker's voices page (Voice Guide, "Get More!!!", the first run's offer). Until the tips and
    // updates service exists, main.cpp hands this plugin to the window as that service.
    void openVoiceGuide() override;

private:
    void buildProperties();
    void deviceFellBack(const QString& lostDevice);

    EngineMaker makeEngine_;
    UrlOpener openUrl_;
    PluginContext* context_ = nullptr;
    std::unique_ptr<SpeechEngine> propertiesEngine_;
    std::unique_ptr<SpeechProperties> properties_;
    // Children of the window, which may delete them first.
    QPointer<TfrmProp> propertiesDialog_;
    QPointer<TfrmDevice> deviceDialog_;
};

} // namespace narrix
