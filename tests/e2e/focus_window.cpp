// A small X11 window for the end-to-end tests: something other than narrix to hold the keyboard focus.
// Prints its window id and then runs until it is killed.
#include <X11/Xlib.h>

#include <cstdio>

int main()
{
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "focus window: no display\n");
        return 1;
    }
    const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 10, 10, 200, 100, 0, 0,
                                              WhitePixel(display, DefaultScreen(display)));
    XStoreName(display, window, "narrix-test-focus");
    XSelectInput(display, window, StructureNotifyMask | KeyPressMask);
    XMapWindow(display, window);
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify)
            break;
    }
    std::printf("%lu\n", static_cast<unsigned long>(window));
    std::fflush(stdout);
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
    }
}
