#include "desktop/global_shortcuts.h"

#include "base/diagnostics.h"
#include "platform/portal_global_shortcuts.h"
#include "platform/x11_key_grabs.h"
#include "plugin/plugin_context.h"
#include "settings/settings.h"

#include <QAction>
#include <QGuiApplication>
#include <QKeySequence>
#include <QTextEdit>
#include <QTimer>

namespace narrix {
namespace {

// The stored key text as one key combination; none for an empty or unreadable text.
std::optional<QKeyCombination> storedKey(const QString& text)
{
    const QKeySequence keys = QKeySequence::fromString(text, QKeySequence::PortableText);
    if (keys.isEmpty() || keys[0].key() == Qt::Key_unknown)
        return std::nullopt;
    return keys[0];
}

} // namespace

GlobalShortcuts::Ways GlobalShortcuts::ofThisSession(bool sessionBusNamed)
{
    Ways ways;
    if (sessionBusNamed)
        ways.bus = QDBusConnection::sessionBus();
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        ways.x11Display = QByteArray();
    return ways;
}

GlobalShortcuts::GlobalShortcuts(Ways ways) : ways_(std::move(ways)) {}

GlobalShortcuts::~GlobalShortcuts() = default;

void GlobalShortcuts::attach(PluginContext& context)
{
    context_ = &context;
    connect(&context, &PluginContext::settingsChanged, this, &GlobalShortcuts::bindKeys);
}

// On the first turn of the event loop, after the window is shown: nothing of this shows in it.
void GlobalShortcuts::startUp()
{
    QTimer::singleShot(0, this, &GlobalShortcuts::findWay);
}

void GlobalShortcuts::findWay()
{
    if (way_ != Way::Searching || backend_ || shutDown_)
        return;
    if (!ways_.bus || !ways_.bus->isConnected()) {
        useX11OrNone();
        return;
    }
    const QDBusConnection bus = *ways_.bus;
    PortalGlobalShortcuts::probe(bus, this, [this, bus](bool offered) {
        if (offered)
            use(Way::Portal, std::make_unique<PortalGlobalShortcuts>(bus));
        else
            useX11OrNone();
    });
}

void GlobalShortcuts::shutDown()
{
    shutDown_ = true;
    backend_.reset();
    bound_.clear();
}

void GlobalShortcuts::useX11OrNone()
{
    if (!ways_.x11Display) {
        noneReason_ = tr("Desktop-wide keys cannot work here: the desktop offers no shortcut service and "
                         "this is no X11 session.");
        use(Way::None, nullptr);
        return;
    }
    // The display is opened for the first key to grab.
    use(Way::X11, nullptr);
}

void GlobalShortcuts::use(Way way, std::unique_ptr<GlobalShortcutBackend> backend)
{
    way_ = way;
    setBackend(std::move(backend));
    if (way_ != Way::None && context_ != nullptr)
        bindKeys(context_->settings());
    Q_EMIT wayChosen();
}

void GlobalShortcuts::setBackend(std::unique_ptr<GlobalShortcutBackend> backend)
{
    backend_ = std::move(backend);
    if (!backend_)
        return;
    connect(backend_.get(), &GlobalShortcutBackend::activated, this, &GlobalShortcuts::run);
    connect(backend_.get(), &GlobalShortcutBackend::failed, this, &GlobalShortcuts::reportFailure);
}

bool GlobalShortcuts::openX11Grabs()
{
    auto grabs = std::make_unique<X11KeyGrabs>(*ways_.x11Display);
    if (grabs->connected()) {
        setBackend(std::move(grabs));
        return true;
    }
    noneReason_ = tr("Desktop-wide keys cannot work here: the X11 display could not be opened.");
    way_ = Way::None;
    Q_EMIT wayChosen();
    return false;
}

QString GlobalShortcuts::commandName(const QString& id)
{
    if (id == kReadClipboard)
        return tr("Read Clipboard");
    if (id == kPlayPause)
        return tr("Play/Pause");
    return tr("Stop");
}

void GlobalShortcuts::bindKeys(const Settings& settings)
{
    if (way_ != Way::Portal && way_ != Way::X11)
        return;
    QList<GlobalShortcut> wanted;
    const std::pair<QString, const QString*> stored[] = {{kReadClipboard, &settings.shortcutReadClipboard},
                                                         {kPlayPause, &settings.shortcutPlayPause},
                                                         {kStop, &settings.shortcutStop}};
    for (const auto& [id, text] : stored)
        if (const std::optional<QKeyCombination> keys = storedKey(*text))
            wanted.append({id, commandName(id), *keys});
    if (wanted == bound_)
        return;
    if (!backend_ && !openX11Grabs())
        return;
    bound_ = wanted;
    problems_.clear();
    backend_->bind(wanted);
}

void GlobalShortcuts::reportFailure(const QString& id, const QString& reason)
{
    QString keyText;
    for (const GlobalShortcut& shortcut : bound_)
        if (shortcut.id == id)
            keyText = QKeySequence(shortcut.keys).toString(QKeySequence::NativeText);
    const QString problem =
        tr("The key %1 of %2 could not be registered: %3.").arg(keyText, commandName(id), reason);
    problems_.append(problem);
    qCWarning(lcNarrix, "%s", qUtf8Printable(problem));
    if (context_ != nullptr)
        context_->setStatusText(QLatin1Char(' ') + problem);
}

QString GlobalShortcuts::note() const
{
    QString line;
    switch (way_) {
    case Way::Searching:
        line = tr("Looking for the desktop's shortcut service...");
        break;
    case Way::Portal:
        line = tr("The desktop's shortcut service registers these keys; it may ask you to confirm them.");
        break;
    case Way::X11:
        line = tr("These keys are taken from the whole X11 desktop while Narrix runs.");
        break;
    case Way::None:
        line = noneReason_;
        break;
    }
    for (const QString& problem : problems_)
        line += QLatin1Char('\n') + problem;
    return line;
}

void GlobalShortcuts::run(const QString& id)
{
    if (context_ == nullptr)
        return;
    const MainActions& actions = context_->actions();
    if (id == kReadClipboard) {
        actions.WhatsintheClipboard1->trigger();
    } else if (id == kStop) {
        actions.actStop->trigger();
    } else if (id == kPlayPause) {
        const ReadingControl::CommandStates states = context_->reading().commandStates();
        if (states.pause) {
            actions.actPause->trigger();
            return;
        }
        // An empty document would open the quick start guide: a key pressed in another program never
        // opens a dialog.
        const QTextEdit* editor = context_->editor();
        const bool resumes = context_->readingState().speaking;
        if (resumes || (editor != nullptr && !editor->toPlainText().trimmed().isEmpty()))
            actions.actPlay->trigger();
    }
}

} // namespace narrix
