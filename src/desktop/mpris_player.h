#pragma once

#include "plugin/plugin.h"

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QVariantMap>

#include <optional>

namespace narrix {

class OpenDocument;
class PluginContext;

// Narrix as a media player of the desktop (MPRIS 2, `org.mpris.MediaPlayer2.narrix` on the session
// bus): media keys and the desktop's media widget play, pause and stop the document and move through
// it by sentence. Its playback status and metadata follow the reading control; every speech shows as
// playing, but only the document is played, paused or moved through; Stop stops any speech.
class MprisPlayer final : public QObject, public Plugin
{
    Q_OBJECT
public:
    static inline const QString kService = QStringLiteral("org.mpris.MediaPlayer2.narrix");
    static inline const QString kPath = QStringLiteral("/org/mpris/MediaPlayer2");
    static inline const QString kPlayerInterface = QStringLiteral("org.mpris.MediaPlayer2.Player");

    // The session bus, but only when the environment names one (`sessionBusNamed`): a bus is never
    // launched. `document` is the editor's document; it outlives this.
    MprisPlayer(bool sessionBusNamed, const OpenDocument& document);
    MprisPlayer(const QDBusConnection& bus, const OpenDocument& document);
    ~MprisPlayer() override;

    // Registers the player on the bus on the next turn of the event loop; the window's reading states
    // reach the bus from then on.
    void attach(PluginContext& context) override;
    void shutDown() override;
    // True while the service name is ours.
    bool registered() const { return registered_; }

    // The player's methods.
    void play();
    void pause();
    void playPause();
    void stop();
    void next();
    void previous();
    void raise();

    // The player's properties as the reading control shows them now.
    QString playbackStatus() const;
    QVariantMap metadata() const;
    bool canPlay() const;
    bool canPause() const;
    bool canGoNext() const;

private:
    // The properties that change with the reading states.
    QVariantMap changingProperties() const;
    // Sends PropertiesChanged with what differs from what the bus last heard.
    void publishChanges();
    // Puts the player on the session bus under the player's name.
    void registerOnBus();
    bool documentIsCurrent() const;
    bool documentHasText() const;

    std::optional<QDBusConnection> bus_;
    const OpenDocument& document_;
    PluginContext* context_ = nullptr;
    bool registered_ = false;
    QVariantMap published_;
    // Several state changes within one pass of the event loop reach the bus as one signal.
    QTimer publishSoon_;
    QTimer registerSoon_;
};

} // namespace narrix
