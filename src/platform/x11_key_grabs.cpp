#include "platform/x11_key_grabs.h"

#include "platform/x11_key_chord.h"

#include <QSocketNotifier>
#include <QTimer>

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/keysym.h>

namespace narrix {
namespace {

// Records the first X error while it lives instead of letting Xlib's default handler end the
// program: a grab another client holds fails with BadAccess.
class GrabErrorTrap
{
public:
    explicit GrabErrorTrap(Display* display) : display_(display), previous_(XSetErrorHandler(&record))
    {
        errorCode() = Success;
    }
    ~GrabErrorTrap() { XSetErrorHandler(previous_); }
    GrabErrorTrap(const GrabErrorTrap&) = delete;
    GrabErrorTrap& operator=(const GrabErrorTrap&) = delete;

    // Waits for the server's answer to every request so far; the error it gave, or Success.
    int sync()
    {
        XSync(display_, False);
        const int code = errorCode();
        errorCode() = Success;
        return code;
    }

private:
    static int& errorCode()
    {
        static int code = Success;
        return code;
    }
    static int record(Display*, XErrorEvent* error)
    {
        if (errorCode() == Success)
            errorCode() = error->error_code;
        return 0;
    }
    Display* display_;
    XErrorHandler previous_;
};

// The modifiers that tell shortcuts apart; Caps Lock, Num Lock and the others do not.
constexpr unsigned kChordModifiers =
    x11_modifier::kShift | x11_modifier::kControl | x11_modifier::kAlt | x11_modifier::kLogo;

} // namespace

X11KeyGrabs::X11KeyGrabs(const QByteArray& displayName)
{
    display_ = XOpenDisplay(displayName.isEmpty() ? nullptr : displayName.constData());
    if (display_ == nullptr)
        return;
    root_ = DefaultRootWindow(display_);
    // Held keys repeat as presses alone, so a press while the key is down is a repeat.
    XkbSetDetectableAutoRepeat(display_, True, nullptr);
    events_ = std::make_unique<QSocketNotifier>(ConnectionNumber(display_), QSocketNotifier::Read);
    connect(events_.get(), &QSocketNotifier::activated, this, &X11KeyGrabs::readEvents);
}

X11KeyGrabs::~X11KeyGrabs()
{
    if (display_ == nullptr)
        return;
    events_.reset();
    releaseAll();
    XCloseDisplay(display_);
}

std::uint16_t X11KeyGrabs::numLockBit() const
{
    const KeyCode numLock = XKeysymToKeycode(display_, XK_Num_Lock);
    XModifierKeymap* map = XGetModifierMapping(display_);
    std::uint16_t bit = 0;
    if (map != nullptr && numLock != 0)
        for (int modifier = 0; modifier < 8 && bit == 0; ++modifier)
            for (int i = 0; i < map->max_keypermod; ++i)
                if (map->modifiermap[modifier * map->max_keypermod + i] == numLock)
                    bit = std::uint16_t(1u << modifier);
    if (map != nullptr)
        XFreeModifiermap(map);
    return bit;
}

void X11KeyGrabs::releaseAll()
{
    for (const Grab& grab : grabs_)
        XUngrabKey(display_, grab.keycode, grab.modifiers, root_);
    grabs_.clear();
    heldKeycode_ = 0;
    XFlush(display_);
}

void X11KeyGrabs::bind(const QList<GlobalShortcut>& shortcuts)
{
    if (display_ == nullptr)
        return;
    releaseAll();
    const std::uint16_t numLock = numLockBit();
    GrabErrorTrap trap(display_);
    for (const GlobalShortcut& shortcut : shortcuts) {
        const std::optional<X11KeyChord> chord = x11KeyChord(shortcut.keys);
        const KeyCode keycode = chord ? XKeysymToKeycode(display_, KeySym(chord->keysym)) : 0;
        if (keycode == 0) {
            Q_EMIT failed(shortcut.id, tr("no key of this keyboard gives it"));
            continue;
        }
        QList<Grab> added;
        for (const std::uint16_t modifiers : grabModifierSets(chord->modifiers, numLock)) {
            XGrabKey(display_, keycode, modifiers, root_, False, GrabModeAsync, GrabModeAsync);
            added.append({shortcut.id, std::uint8_t(keycode), modifiers});
        }
        if (trap.sync() != Success) {
            for (const Grab& grab : added)
                XUngrabKey(display_, grab.keycode, grab.modifiers, root_);
            trap.sync();
            Q_EMIT failed(shortcut.id, tr("another program already uses this key"));
            continue;
        }
        grabs_ += added;
    }
    // XSync may have read events into Xlib's queue, where the socket notifier does not see them.
    QTimer::singleShot(0, this, &X11KeyGrabs::readEvents);
}

void X11KeyGrabs::readEvents()
{
    if (display_ == nullptr)
        return;
    while (XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        if (event.type == KeyRelease) {
            if (event.xkey.keycode == heldKeycode_)
                heldKeycode_ = 0;
            continue;
        }
        if (event.type != KeyPress || event.xkey.keycode == heldKeycode_)
            continue;
        const unsigned modifiers = event.xkey.state & kChordModifiers;
        for (const Grab& grab : grabs_) {
            if (grab.keycode == event.xkey.keycode && (grab.modifiers & kChordModifiers) == modifiers) {
                heldKeycode_ = grab.keycode;
                Q_EMIT activated(grab.id);
                break;
            }
        }
    }
}

} // namespace narrix
