#include "platform/x11_keyboard_state.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <unistd.h>

namespace narrix {
namespace {

// A 32-bit property of one item (CARDINAL or WINDOW), or -1 when the window has none.
long cardinalProperty(Display* display, Window window, Atom property, Atom type)
{
    Atom actualType = None;
    int actualFormat = 0;
    unsigned long items = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    long value = -1;
    if (XGetWindowProperty(display, window, property, 0, 1, False, type, &actualType, &actualFormat, &items,
                           &remaining, &data) == Success &&
        data != nullptr && actualFormat == 32 && items == 1)
        value = *reinterpret_cast<long*>(data);
    if (data != nullptr)
        XFree(data);
    return value;
}

// Ignores X errors while it lives: a window may be destroyed between two questions about it, and
// Xlib's default handler would end the program for that.
class ErrorTrap
{
public:
    explicit ErrorTrap(Display* display) : display_(display), previous_(XSetErrorHandler(&ignore)) {}
    ~ErrorTrap()
    {
        XSync(display_, False);
        XSetErrorHandler(previous_);
    }
    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;

private:
    static int ignore(Display*, XErrorEvent*) { return 0; }
    Display* display_;
    XErrorHandler previous_;
};

} // namespace

X11KeyboardState::~X11KeyboardState()
{
    if (display_ != nullptr)
        XCloseDisplay(display_);
}

Display* X11KeyboardState::display()
{
    if (!opened_) {
        opened_ = true;
        display_ = XOpenDisplay(nullptr);
    }
    return display_;
}

std::uint32_t X11KeyboardState::foregroundWindow()
{
    Display* x = display();
    if (x == nullptr)
        return 0;
    const Atom active = XInternAtom(x, "_NET_ACTIVE_WINDOW", False);
    const ErrorTrap trap(x);
    const long window = cardinalProperty(x, DefaultRootWindow(x), active, XA_WINDOW);
    if (window > 0)
        return static_cast<std::uint32_t>(window);
    Window focus = None;
    int revert = 0;
    XGetInputFocus(x, &focus, &revert);
    return static_cast<std::uint32_t>(focus);
}

long X11KeyboardState::windowPid(unsigned long window)
{
    Display* x = display();
    const Atom pid = XInternAtom(x, "_NET_WM_PID", False);
    const ErrorTrap trap(x);
    // Up from the focused window (which may be a child) to the top-level window that names its process.
    for (int depth = 0; window != None && window != PointerRoot && depth < 32; ++depth) {
        const long value = cardinalProperty(x, window, pid, XA_CARDINAL);
        if (value >= 0)
            return value;
        Window root = None;
        Window parent = None;
        Window* children = nullptr;
        unsigned count = 0;
        if (!XQueryTree(x, window, &root, &parent, &children, &count))
            return -1;
        if (children != nullptr)
            XFree(children);
        if (parent == root)
            return -1;
        window = parent;
    }
    return -1;
}

bool X11KeyboardState::isOwnWindow(std::uint32_t window)
{
    if (display() == nullptr || window == 0)
        return false;
    if (window != lastWindow_) {
        lastWindow_ = window;
        lastWindowOwn_ = windowPid(window) == static_cast<long>(::getpid());
    }
    return lastWindowOwn_;
}

bool X11KeyboardState::capsLockOn()
{
    Display* x = display();
    if (x == nullptr)
        return false;
    XkbStateRec state = {};
    if (XkbGetState(x, XkbUseCoreKbd, &state) != Success)
        return false;
    return (state.locked_mods & LockMask) != 0;
}

} // namespace narrix
