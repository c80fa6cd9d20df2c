#pragma once

#include "platform/global_shortcut_backend.h"
#include "plugin/plugin.h"

#include <QByteArray>
#include <QDBusConnection>
#include <QObject>
#include <QStringList>

#include <memory>
#include <optional>

namespace narrix {

struct Settings;

// Desktop-wide keys for Read Clipboard, Play/Pause and Stop, set in Options (none by default). They are
// registered through the desktop portal's shortcut service when the session bus has one, else as key
// grabs when the program runs on X11; otherwise they cannot work and note() says why. The keys follow
// the settings whenever they change; a key that cannot be had is reported in the status bar and in
// note().
class GlobalShortcuts final : public QObject, public Plugin
{
    Q_OBJECT
public:
    static inline const QString kReadClipboard = QStringLiteral("read-clipboard");
    static inline const QString kPlayPause = QStringLiteral("play-pause");
    static inline const QString kStop = QStringLiteral("stop");

    // Where keys may be registered: a session bus to look for the portal on, an X11 display to grab
    // keys on (empty name: the one DISPLAY names).
    struct Ways
    {
        std::optional<QDBusConnection> bus;
        std::optional<QByteArray> x11Display;
    };
    // This process's ways: the session bus when the environment names one, X11 on the xcb platform.
    static Ways ofThisSession(bool sessionBusNamed);

    enum class Way { Searching, Portal, X11, None };

    explicit GlobalShortcuts(Ways ways);
    ~GlobalShortcuts() override;

    void attach(PluginContext& context) override;
    // Looks for a way (the portal's answer comes later) and binds the stored keys, on the next turn of
    // the event loop. The X11 display is opened only when there is a key to grab.
    void startUp() override;
    void shutDown() override;

    Way way() const { return way_; }
    // How the keys reach Narrix in this session, or why they cannot; with the keys that failed.
    QString note() const;

Q_SIGNALS:
    // A way was chosen (or none found) and the stored keys handed to it.
    void wayChosen();

private:
    void findWay();
    void useX11OrNone();
    void use(Way way, std::unique_ptr<GlobalShortcutBackend> backend);
    void setBackend(std::unique_ptr<GlobalShortcutBackend> backend);
    // False, with the way None and the reason, when the display cannot be opened.
    bool openX11Grabs();
    void bindKeys(const Settings& settings);
    void run(const QString& id);
    void reportFailure(const QString& id, const QString& reason);
    static QString commandName(const QString& id);

    Ways ways_;
    PluginContext* context_ = nullptr;
    Way way_ = Way::Searching;
    QString noneReason_;
    std::unique_ptr<GlobalShortcutBackend> backend_;
    QList<GlobalShortcut> bound_;
    QStringList problems_;
    bool shutDown_ = false;
};

} // namespace narrix
