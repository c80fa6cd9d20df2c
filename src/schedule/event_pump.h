#pragma once

#include <QElapsedTimer>

#include <chrono>

namespace narrix {

// Lets the thread's waiting events run, but not more often than every few milliseconds: a walk over
// 10,000 rows that ran the event loop after each one would spend about 50 ms doing so, while events
// handled within 5 ms keep the window just as responsive.
class EventPump
{
public:
    static constexpr std::chrono::milliseconds kInterval{5};

    void pump();
    // The next pump runs whatever the time since the last one.
    void reset() { last_.invalidate(); }

private:
    QElapsedTimer last_;
};

} // namespace narrix
