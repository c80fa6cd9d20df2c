#pragma once

#include <QDateTime>

namespace narrix {

// The time of day as the program sees it. Everything that decides by the clock (the scheduler, the
// time announcements, "LastRun") reads it here, so tests can set and advance the time.
class Clock
{
public:
    virtual ~Clock() = default;
    // Local date and time.
    virtual QDateTime now() const = 0;
};

// The system's local time.
class SystemClock final : public Clock
{
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

} // namespace narrix
