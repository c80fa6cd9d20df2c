#pragma once

#include "schedule/channel_request.h"
#include "schedule/due_rules.h"

#include <QLocale>
#include <QString>

#include <set>
#include <string>

namespace narrix {

class Clock;
class ScheduleListModel;

// What the scheduler needs from the program around it.
class SchedulerHost
{
public:
    virtual ~SchedulerHost() = default;
    // The start-up flag: ticks do nothing while the window is being created.
    virtual bool startingUp() const = 0;
    // The "Scheduled Speech" switch.
    virtual bool scheduleSwitchOn() const = 0;
    virtual bool networkBusy() const = 0;
    // The window is closing: no item starts any more, and a walk under way stops.
    virtual bool windowClosing() const = 0;
    virtual void beep() = 0;
    virtual void setStatusText(const QString& text) = 0;
    // Retrieves the channel and returns when it is done (it may pump events meanwhile).
    virtual void retrieve(const ChannelRequest& request) = 0;
    // Lets the window's waiting events run.
    virtual void processEvents() = 0;
};

// Starts scheduled speeches at their times: the tick walks the list in order and starts every
// ticked item that is due this minute and has not run today. Run Now hands one item over.
class Scheduler
{
public:
    static constexpr int kIntervalMs = 3000;

    Scheduler(ScheduleListModel& list, const Clock& clock, SchedulerHost& host);

    // The locale whose short date and time formats LastRun and Time are written in.
    void setLocale(const QLocale& locale) { locale_ = locale; }

    // One tick of the schedule timer.
    void tick();
    // Run Now, the double-click and a random channel: refused while a transfer runs, ignored while
    // the window closes; LastRun stays.
    void RunScheduleItem(const ScheduleItem& item);

    bool running() const { return running_; }

private:
    void startDue(int row, ScheduleItem item, const ScheduleMoment& moment);
    void reportUnreadable(const ScheduleItem& item, int row, const std::string& why,
                          const std::string& today);
    void refuseBusy();

    ScheduleListModel& list_;
    const Clock& clock_;
    SchedulerHost& host_;
    QLocale locale_ = QLocale::system();
    bool running_ = false; // SchedulerRunning: no nested walks
    // Rows reported as unreadable today (title and reason), so stderr hears of each once a day.
    std::set<std::string> reported_;
    std::string reportedDay_;
};

} // namespace narrix
