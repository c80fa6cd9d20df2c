#include "key_recorder.h"

#include "hook_log.h"
#include "key_report.h"
#include "virtual_keys.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/Xproto.h>
#include <X11/extensions/record.h>
#include <X11/keysym.h>

#include <cerrno>
#include <chrono>
#include <poll.h>
#include <pthread.h>
#include <sys/eventfd.h>
#include <unistd.h>

namespace narrix::hook {

// Receives what the X server records: the start of the data and each key event.
struct RecordCallback
{
    static void onIntercept(XPointer closure, XRecordInterceptData* data)
    {
        auto* self = reinterpret_cast<KeyRecorder*>(closure);
        if (data->category == XRecordStartOfData) {
            self->markReady();
        } else if (data->category == XRecordFromServer && data->data_len * 4 >= sizeof(xEvent)) {
            const auto* event = reinterpret_cast<const xEvent*>(data->data);
            const int type = event->u.u.type & 0x7F;
            if (type == KeyPress || type == KeyRelease)
                self->onKeyEvent(self->control_, event->u.u.detail, event->u.keyButtonPointer.state,
                                 type == KeyRelease);
        }
        XRecordFreeData(data);
    }
};

namespace {

void say(const char* text)
{
    hookLog("%s", text);
}

// The RECORD context for all clients' key presses and releases, enabled on `data`, disabled and freed
// on `control` when it goes out of scope.
class RecordContext
{
public:
    RecordContext(Display* control) : control_(control)
    {
        XRecordRange* range = XRecordAllocRange();
        if (range == nullptr)
            return;
        range->device_events.first = KeyPress;
        range->device_events.last = KeyRelease;
        XRecordClientSpec clients = XRecordAllClients;
        context_ = XRecordCreateContext(control_, 0, &clients, 1, &range, 1);
        XFree(range);
        XSync(control_, False);
    }
    ~RecordContext()
    {
        if (context_ == 0)
            return;
        XRecordDisableContext(control_, context_);
        XRecordFreeContext(control_, context_);
        XSync(control_, False);
    }
    RecordContext(const RecordContext&) = delete;
    RecordContext& operator=(const RecordContext&) = delete;
    XRecordContext id() const { return context_; }

private:
    Display* control_;
    XRecordContext context_ = 0;
};

} // namespace

KeyRecorder::KeyRecorder(int port) : port_(port) {}

KeyRecorder::~KeyRecorder()
{
    stop();
}

void KeyRecorder::start()
{
    if (thread_.joinable())
        return;
    stopEvent_ = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (stopEvent_ < 0) {
        say("cannot create the stop event: no keys are reported");
        return;
    }
    // Two connections, opened here so that without a display no thread is started and nothing waits:
    // RECORD delivers its data on a connection that does nothing else. The thread takes both over.
    Display* control = XOpenDisplay(nullptr);
    Display* data = control != nullptr ? XOpenDisplay(nullptr) : nullptr;
    if (data == nullptr) {
        if (control != nullptr)
            XCloseDisplay(control);
        say("no X11 display: real-time speech hears no keys");
        return;
    }
    ready_ = false;
    thread_ = std::thread([this, control, data] { run(control, data); });
    std::unique_lock lock(mutex_);
    readyChanged_.wait_for(lock, std::chrono::seconds(2), [this] { return ready_; });
}

void KeyRecorder::stop()
{
    if (thread_.joinable()) {
        const std::uint64_t one = 1;
        while (::write(stopEvent_, &one, sizeof one) < 0 && errno == EINTR) {
        }
        thread_.join();
    }
    if (stopEvent_ >= 0) {
        ::close(stopEvent_);
        stopEvent_ = -1;
    }
}

void KeyRecorder::markReady()
{
    {
        std::lock_guard lock(mutex_);
        ready_ = true;
    }
    readyChanged_.notify_all();
}

void KeyRecorder::run(Display* control, Display* data)
{
    // Named, so that tools (and the benchmark) can tell it from the program's own threads.
    pthread_setname_np(pthread_self(), "realtime-hook");
    int major = 0;
    int minor = 0;
    if (!XRecordQueryVersion(control, &major, &minor))
        say("the X server has no RECORD extension: real-time speech hears no keys");
    else if (!record(control, data))
        say("the X server refused to record keys: real-time speech hears no keys");
    XCloseDisplay(data);
    XCloseDisplay(control);
    if (dropped_ > 0)
        hookLog("%lu key reports dropped (the program did not read them)", dropped_);
    markReady();
}

bool KeyRecorder::record(Display* control, Display* data)
{
    control_ = control;
    const KeyCode numLock = XKeysymToKeycode(control, XK_Num_Lock);
    numLockMask_ = numLock != 0 ? XkbKeysymToModifiers(control, XK_Num_Lock) : 0;
    // Keyboard map changes reach the control connection, which refreshes its copy of the map.
    XkbSelectEvents(control, XkbUseCoreKbd, XkbNewKeyboardNotifyMask | XkbMapNotifyMask,
                    XkbNewKeyboardNotifyMask | XkbMapNotifyMask);
    down_.fill(false);
    const RecordContext context(control);
    if (context.id() == 0 || !XRecordEnableContextAsync(data, context.id(), &RecordCallback::onIntercept,
                                                        reinterpret_cast<XPointer>(this)))
        return false;
    XFlush(data);
    // Blocks until the X server sends something or stop() is called: no wake-ups while no key moves.
    pollfd watched[3] = {
        {ConnectionNumber(data), POLLIN, 0}, {ConnectionNumber(control), POLLIN, 0}, {stopEvent_, POLLIN, 0}};
    for (;;) {
        XRecordProcessReplies(data);
        while (XPending(control) > 0) {
            XEvent event;
            XNextEvent(control, &event);
            XkbRefreshKeyboardMapping(reinterpret_cast<XkbMapNotifyEvent*>(&event));
        }
        if (::poll(watched, 3, -1) < 0 && errno != EINTR)
            break;
        if (watched[2].revents != 0)
            break;
        if ((watched[0].revents | watched[1].revents) & (POLLERR | POLLHUP | POLLNVAL))
            break;
    }
    return true;
}

void KeyRecorder::onKeyEvent(Display* control, unsigned keycode, unsigned state, bool released)
{
    keycode &= 0xFF;
    const bool wasDown = down_[keycode];
    down_[keycode] = !released;
    const auto code = static_cast<KeyCode>(keycode);
    KeyReport report;
    report.key = virtualKeyOf(XkbKeycodeToKeysym(control, code, 0, 0),
                              XkbKeycodeToKeysym(control, code, 0, 1), (state & numLockMask_) != 0);
    report.flags = keystrokeFlags(keycode, released, wasDown);
    ssize_t written;
    do {
        written = ::write(port_, &report, sizeof report);
    } while (written < 0 && errno == EINTR);
    // A full pipe means the program has not read for thousands of reports; blocking here would stall
    // the X connection, so the report is dropped and counted.
    if (written != static_cast<ssize_t>(sizeof report))
        ++dropped_;
}

} // namespace narrix::hook
