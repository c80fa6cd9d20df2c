#include "schedule/scheduler.h"

#include "base/diagnostics.h"
#include "platform/clock.h"
#include "schedule/channel_retriever.h"
#include "schedule/schedule_list_model.h"

#include <QCoreApplication>
#include <QScopeGuard>

namespace narrix {

Scheduler::Scheduler(ScheduleListModel& list, const Clock& clock, SchedulerHost& host)
    : list_(list), clock_(clock), host_(host)
{
}

void Scheduler::tick()
{
    if (host_.startingUp() || running_ || !host_.scheduleSwitchOn() || host_.windowClosing())
        return;
    running_ = true;
    const auto done = qScopeGuard([this] { running_ = false; });
    const ScheduleMoment moment = ScheduleMoment::at(clock_.now(), locale_);
    // Rows may be added, removed or moved while events are pumped: the count is read before every row.
    // A close requested while a retrieval or the pumped events ran ends the walk before the next row.
    for (int row = 0; row < list_.size() && !host_.windowClosing(); ++row) {
        const ScheduleItem& item = list_.item(row);
        if (!item.ticked)
            continue;
        std::string why;
        switch (DueRules::check(item, moment, &why)) {
        case DueRules::Verdict::Start:
            startDue(row, item, moment);
            break;
        case DueRules::Verdict::Unreadable:
            reportUnreadable(item, row, why, moment.todayText);
            break;
        case DueRules::Verdict::NotDue:
        case DueRules::Verdict::StartedToday:
            break;
        }
        host_.processEvents();
    }
}

void Scheduler::startDue(int row, ScheduleItem item, const ScheduleMoment& moment)
{
    item.lastRun = moment.todayText;
    list_.setItem(row, item);
    if (host_.networkBusy()) {
        // Counts as started: it is not tried again today.
        refuseBusy();
        return;
    }
    host_.retrieve(ChannelRequest::fromItem(item));
}

void Scheduler::RunScheduleItem(const ScheduleItem& item)
{
    if (host_.windowClosing())
        return;
    if (host_.networkBusy()) {
        refuseBusy();
        return;
    }
    host_.retrieve(ChannelRequest::fromItem(item));
}

void Scheduler::refuseBusy()
{
    host_.beep();
    host_.setStatusText(QCoreApplication::translate("StatusBar", ChannelRetriever::kBusyText.data()));
}

void Scheduler::reportUnreadable(const ScheduleItem& item, int row, const std::string& why,
                                 const std::string& today)
{
    if (today != reportedDay_) {
        reported_.clear();
        reportedDay_ = today;
    }
    if (!reported_.insert(item.title + '\n' + why).second)
        return;
    qCWarning(lcNarrix, "scheduled speech \"%s\" (row %d) skipped: %s", item.title.c_str(), row + 1,
              why.c_str());
}

} // namespace narrix
