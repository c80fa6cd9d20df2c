#pragma once

// Captures every key press and release on the X11 desktop (the RECORD extension) on a thread of its
// own and writes one key report per event into the program's message port.

#include <array>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

struct _XDisplay;

namespace narrix::hook {

class KeyRecorder
{
public:
    // `port` is the write end of the program's pipe; it must stay open until stop() returns.
    explicit KeyRecorder(int port);
    ~KeyRecorder();
    KeyRecorder(const KeyRecorder&) = delete;
    KeyRecorder& operator=(const KeyRecorder&) = delete;

    // Starts the thread and waits (at most two seconds) until the X server records keys or capture
    // has failed. Without an X display no thread starts and nothing is ever reported.
    void start();
    // Ends capture and joins the thread. Reports stop before it returns.
    void stop();

private:
    void run(_XDisplay* control, _XDisplay* data);
    bool record(_XDisplay* control, _XDisplay* data);
    void markReady();
    void onKeyEvent(_XDisplay* control, unsigned keycode, unsigned state, bool released);
    friend struct RecordCallback;

    const int port_;
    int stopEvent_ = -1;
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable readyChanged_;
    bool ready_ = false;
    // State of the record thread only.
    _XDisplay* control_ = nullptr;
    unsigned numLockMask_ = 0;
    std::array<bool, 256> down_{};
    unsigned long dropped_ = 0;
};

} // namespace narrix::hook
