#pragma once

#include "platform/global_shortcut_backend.h"

#include <QByteArray>
#include <QList>

#include <cstdint>
#include <memory>

struct _XDisplay;
class QSocketNotifier;

namespace narrix {

// Desktop-wide keys as passive key grabs on the root window of an X11 display, on a connection of its
// own whose events a socket notifier reads. Each key is grabbed with every Caps Lock and Num Lock
// state; a key that another program holds is reported through failed() and left out. Holding a key
// down fires it once.
class X11KeyGrabs final : public GlobalShortcutBackend
{
    Q_OBJECT
public:
    // `displayName` empty: the display DISPLAY names.
    explicit X11KeyGrabs(const QByteArray& displayName = {});
    ~X11KeyGrabs() override;
    X11KeyGrabs(const X11KeyGrabs&) = delete;
    X11KeyGrabs& operator=(const X11KeyGrabs&) = delete;

    // False when the display could not be opened.
    bool connected() const { return display_ != nullptr; }

    void bind(const QList<GlobalShortcut>& shortcuts) override;

private:
    struct Grab
    {
        QString id;
        std::uint8_t keycode = 0;
        std::uint16_t modifiers = 0;
    };

    void releaseAll();
    void readEvents();
    std::uint16_t numLockBit() const;

    _XDisplay* display_ = nullptr;
    unsigned long root_ = 0;
    std::unique_ptr<QSocketNotifier> events_;
    QList<Grab> grabs_;
    // The key that fired and is still down: the keyboard's repeats do not fire it again.
    std::uint8_t heldKeycode_ = 0;
};

} // namespace narrix
