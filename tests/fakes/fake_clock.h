#pragma once

#include "platform/clock.h"

namespace narrix::testing {

// A clock that stands still until a test sets or advances it.
class FakeClock final : public Clock
{
public:
    explicit FakeClock(QDateTime start = QDateTime(QDate(2026, 12, 8), QTime(9, 0))) : now_(std::move(start))
    {
    }
    QDateTime now() const override { return now_; }
    void set(const QDateTime& time) { now_ = time; }
    void advanceSeconds(qint64 seconds) { now_ = now_.addSecs(seconds); }
    void advanceDays(qint64 days) { now_ = now_.addDays(days); }

private:
    QDateTime now_;
};

} // namespace narrix::testing
