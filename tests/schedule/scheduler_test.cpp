// The scheduler's due rules and its walk over the list, on a fake clock.
#include "fakes/fake_clock.h"
#include "schedule/due_rules.h"
#include "schedule/schedule_list_model.h"
#include "schedule/scheduler.h"

#include <gtest/gtest.h>

#include <functional>

using namespace narrix;
using narrix::testing::FakeClock;

namespace {

const QLocale kUs(QLocale::English, QLocale::UnitedStates);

class FakeSchedulerHost : public SchedulerHost
{
public:
    bool starting = false;
    bool switchOn = true;
    bool busy = false;
    bool closing = false;
    int beeps = 0;
    QStringList statuses;
    std::vector<ChannelRequest> retrieved;
    std::function<void(const ChannelRequest&)> onRetrieve;
    std::function<void()> onProcessEvents;

    bool startingUp() const override { return starting; }
    bool scheduleSwitchOn() const override { return switchOn; }
    bool networkBusy() const override { return busy; }
    bool windowClosing() const override { return closing; }
    void beep() override { ++beeps; }
    void setStatusText(const QString& text) override { statuses << text; }
    void retrieve(const ChannelRequest& request) override
    {
        retrieved.push_back(request);
        if (onRetrieve)
            onRetrieve(request);
    }
    void processEvents() override
    {
        if (onProcessEvents)
            onProcessEvents();
    }

    std::vector<std::string> titles() const
    {
        std::vector<std::string> out;
        for (const ChannelRequest& r : retrieved)
            out.push_back(r.title);
        return out;
    }
};

ScheduleItem item(std::string title, std::string frequence, std::string time, std::string day = "0",
                  std::string date = "1", std::string month = "0")
{
    ScheduleItem i;
    i.title = std::move(title);
    i.fileName = "http://example.com/" + i.title;
    i.frequence = std::move(frequence);
    i.time = std::move(time);
    i.day = std::move(day);
    i.date = std::move(date);
    i.month = std::move(month);
    i.lastRun = "Never";
    i.checked = "True";
    return i;
}

QDateTime at(int year, int month, int day, int hour, int minute, int second = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second));
}

struct Fixture
{
    FakeClock clock{at(2026, 12, 8, 7, 30, 1)}; // a Tuesday
    ScheduleListModel list;
    FakeSchedulerHost host;
    Scheduler scheduler{list, clock, host};
    Fixture() { scheduler.setLocale(kUs); }
};

} // namespace

TEST(DueRules, FrequenciesAndDates)
{
    struct Case
    {
        ScheduleItem item;
        QDateTime now;
        DueRules::Verdict verdict;
    };
    using V = DueRules::Verdict;
    const Case cases[] = {
        {item("daily", "0", "07:30"), at(2026, 12, 8, 7, 30), V::Start},
        {item("daily other minute", "0", "07:30"), at(2026, 12, 8, 7, 31), V::NotDue},
        {item("daily other hour", "0", "07:30"), at(2026, 12, 8, 19, 30), V::NotDue},
        {item("Sunday", "1", "07:30", "0"), at(2026, 12, 6, 7, 30), V::Start},
        {item("Sunday on Saturday", "1", "07:30", "0"), at(2026, 12, 12, 7, 30), V::NotDue},
        {item("Saturday", "1", "07:30", "6"), at(2026, 12, 12, 7, 30), V::Start},
        {item("Saturday on Sunday", "1", "07:30", "6"), at(2026, 12, 6, 7, 30), V::NotDue},
        {item("31st in December", "2", "07:30", "0", "31"), at(2026, 12, 31, 7, 30), V::Start},
        {item("31st in November", "2", "07:30", "0", "31"), at(2026, 11, 30, 7, 30), V::NotDue},
        {item("31st in February", "2", "07:30", "0", "31"), at(2026, 2, 28, 7, 30), V::NotDue},
        {item("29 Feb, leap year", "3", "07:30", "0", "29", "1"), at(2028, 2, 29, 7, 30), V::Start},
        {item("29 Feb, 1 Mar of a common year", "3", "07:30", "0", "29", "1"), at(2027, 3, 1, 7, 30),
         V::NotDue},
        {item("yearly wrong month", "3", "07:30", "0", "8", "10"), at(2026, 12, 8, 7, 30), V::NotDue},
        {item("yearly", "3", "07:30", "0", "8", "11"), at(2026, 12, 8, 7, 30), V::Start},
        {item("Frequence 4", "4", "07:30"), at(2026, 12, 8, 7, 30), V::NotDue},
        {item("Frequence -1", "-1", "07:30"), at(2026, 12, 8, 7, 30), V::NotDue},
        {item("blanks around numbers", " 2 ", "07:30", "x", " 8"), at(2026, 12, 8, 7, 30), V::Start},
        {item("time with seconds", "0", "7:30:59"), at(2026, 12, 8, 7, 30), V::Start},
        {item("time with PM", "0", "7:30 PM"), at(2026, 12, 8, 19, 30), V::Start},
        {item("12 AM is midnight", "0", "12:05 am"), at(2026, 12, 8, 0, 5), V::Start},
        {item("Frequence not a number", "daily", "07:30"), at(2026, 12, 8, 7, 30), V::Unreadable},
        {item("Day not a number", "1", "07:30", "Sun"), at(2026, 12, 6, 7, 30), V::Unreadable},
        {item("Date not a number", "2", "07:30", "0", ""), at(2026, 12, 6, 7, 30), V::Unreadable},
        {item("Month not a number", "3", "07:30", "0", "8", "Dec"), at(2026, 12, 8, 7, 30), V::Unreadable},
        {item("Time not a time", "0", "7h30"), at(2026, 12, 8, 7, 30), V::Unreadable},
        {item("Time out of range", "0", "24:00"), at(2026, 12, 8, 0, 0), V::Unreadable},
        {item("Time minute out of range", "0", "07:60"), at(2026, 12, 8, 7, 0), V::Unreadable},
        {item("Time with text after it", "0", "07:30 soon"), at(2026, 12, 8, 7, 30), V::Unreadable},
        // A weekly item on another day is not due, so its broken Time is never read.
        {item("not due, Time not read", "1", "oops", "3"), at(2026, 12, 8, 7, 30), V::NotDue},
    };
    for (const Case& c : cases) {
        const ScheduleMoment moment = ScheduleMoment::at(c.now, kUs);
        std::string why;
        EXPECT_EQ(DueRules::check(c.item, moment, &why), c.verdict) << c.item.title;
        EXPECT_EQ(why.empty(), c.verdict != V::Unreadable) << c.item.title << ": " << why;
    }
}

TEST(DueRules, LastRunAndTheLocalesFormats)
{
    const ScheduleMoment today = ScheduleMoment::at(at(2026, 12, 8, 7, 30), kUs);
    EXPECT_EQ(today.weekday, 3); // Tuesday
    EXPECT_EQ(today.todayText, kUs.toString(QDate(2026, 12, 8), QLocale::ShortFormat).toStdString());
    ScheduleItem daily = item("daily", "0", "07:30");
    daily.lastRun = DueRules::lastRunText(QDate(2026, 12, 7), kUs); // yesterday
    EXPECT_EQ(DueRules::check(daily, today), DueRules::Verdict::Start);
    daily.lastRun = today.todayText;
    EXPECT_EQ(DueRules::check(daily, today), DueRules::Verdict::StartedToday);
    EXPECT_FALSE(DueRules::startedToday("Never", "Never"));

    // A locale writing "07.30" and dates as dd.MM.yy reads its own separator, not another's.
    const QLocale finnish(QLocale::Finnish, QLocale::Finland);
    const ScheduleMoment fi = ScheduleMoment::at(at(2026, 12, 8, 7, 30), finnish);
    if (fi.timeFormat.separator == ".") {
        EXPECT_EQ(DueRules::check(item("fi", "0", "07.30"), fi), DueRules::Verdict::Start);
        EXPECT_EQ(DueRules::check(item("fi", "0", "07:30"), fi), DueRules::Verdict::Unreadable);
    }
    EXPECT_NE(fi.todayText, today.todayText);
}

TEST(Scheduler, StartsADueItemOnceADayAndWritesLastRun)
{
    Fixture f;
    f.list.appendItem(item("Morning", "0", "07:30"));
    f.scheduler.tick();
    ASSERT_EQ(f.host.titles(), std::vector<std::string>{"Morning"});
    EXPECT_EQ(f.host.retrieved[0].address, "http://example.com/Morning");
    const std::string today = DueRules::lastRunText(QDate(2026, 12, 8), kUs);
    EXPECT_EQ(f.list.item(0).lastRun, today);
    // The other ticks of that minute find LastRun at today.
    for (int i = 0; i < 19; ++i) {
        f.clock.advanceSeconds(3);
        f.scheduler.tick();
    }
    EXPECT_EQ(f.host.retrieved.size(), 1u);
    // The next day at the same minute it runs again.
    f.clock.set(at(2026, 12, 9, 7, 30, 2));
    f.scheduler.tick();
    EXPECT_EQ(f.host.retrieved.size(), 2u);
    EXPECT_FALSE(f.scheduler.running());
}

TEST(Scheduler, TicksThatChangeNothing)
{
    Fixture f;
    f.list.appendItem(item("Morning", "0", "07:30"));
    ScheduleItem unticked = item("Unticked", "0", "07:30");
    unticked.ticked = false;
    unticked.checked = "True"; // only the check box counts
    f.list.appendItem(unticked);

    f.host.switchOn = false;
    f.scheduler.tick();
    f.host.switchOn = true;
    f.host.starting = true;
    f.scheduler.tick();
    EXPECT_TRUE(f.host.retrieved.empty());
    EXPECT_EQ(f.list.item(0).lastRun, "Never");

    // The minute passed while the switch was off: no catch-up later that day.
    f.host.starting = false;
    f.clock.set(at(2026, 12, 8, 7, 31));
    f.scheduler.tick();
    EXPECT_TRUE(f.host.retrieved.empty());

    // The unticked row is never started by the tick, but Run Now starts it and leaves LastRun.
    f.clock.set(at(2026, 12, 8, 7, 30));
    f.scheduler.tick();
    EXPECT_EQ(f.host.titles(), std::vector<std::string>{"Morning"});
    f.scheduler.RunScheduleItem(f.list.item(1));
    EXPECT_EQ(f.host.titles(), (std::vector<std::string>{"Morning", "Unticked"}));
    EXPECT_EQ(f.list.item(1).lastRun, "Never");
}

TEST(Scheduler, SeveralDueItemsStartInListOrderWithinOneTick)
{
    Fixture f;
    f.list.appendItem(item("First", "0", "07:30"));
    f.list.appendItem(item("Not now", "0", "07:31"));
    f.list.appendItem(item("Second", "0", "07:30"));
    // A long first retrieval: the clock moves on, the tick still compares with 07:30.
    f.host.onRetrieve = [&](const ChannelRequest&) { f.clock.advanceSeconds(120); };
    f.scheduler.tick();
    EXPECT_EQ(f.host.titles(), (std::vector<std::string>{"First", "Second"}));
}

TEST(Scheduler, NestedTicksReturnAtOnce)
{
    Fixture f;
    f.list.appendItem(item("First", "0", "07:30"));
    f.list.appendItem(item("Second", "0", "07:30"));
    int nested = 0;
    f.host.onRetrieve = [&](const ChannelRequest&) {
        ++nested;
        EXPECT_TRUE(f.scheduler.running());
        f.scheduler.tick(); // a timer tick while the retrieval pumps events
    };
    f.scheduler.tick();
    EXPECT_EQ(nested, 2);
    EXPECT_EQ(f.host.retrieved.size(), 2u);
}

TEST(Scheduler, AWalkStopsOnceTheWindowCloses)
{
    // Where the close comes: inside the first retrieval, or in the events pumped after a row.
    struct Case
    {
        const char* when;
        bool inRetrieval;
    };
    for (const Case& c : {Case{"during the first retrieval", true}, Case{"in the pumped events", false}}) {
        SCOPED_TRACE(c.when);
        Fixture f;
        for (const char* title : {"First", "Second", "Third"})
            f.list.appendItem(item(title, "0", "07:30"));
        if (c.inRetrieval)
            f.host.onRetrieve = [&](const ChannelRequest&) { f.host.closing = true; };
        else
            f.host.onProcessEvents = [&] { f.host.closing = true; };
        f.scheduler.tick();
        EXPECT_EQ(f.host.titles(), std::vector<std::string>{"First"});
        EXPECT_FALSE(f.scheduler.running());
        // The rows not reached keep their LastRun: they never ran.
        EXPECT_EQ(f.list.item(1).lastRun, "Never");
        EXPECT_EQ(f.list.item(2).lastRun, "Never");
        // Later ticks and Run Now start nothing.
        f.clock.advanceSeconds(3);
        f.scheduler.tick();
        f.scheduler.RunScheduleItem(f.list.item(1));
        EXPECT_EQ(f.host.retrieved.size(), 1u);
        EXPECT_EQ(f.host.beeps, 0);
    }
}

TEST(Scheduler, BusyRefusalStillMarksTheItemStarted)
{
    Fixture f;
    f.list.appendItem(item("Morning", "0", "07:30"));
    f.host.busy = true;
    f.scheduler.tick();
    EXPECT_TRUE(f.host.retrieved.empty());
    EXPECT_EQ(f.host.beeps, 1);
    EXPECT_EQ(f.host.statuses,
              QStringList{QStringLiteral(" Please press Esc before you start a new connection.")});
    EXPECT_EQ(f.list.item(0).lastRun, DueRules::lastRunText(QDate(2026, 12, 8), kUs));
    // Not tried again today once the transfer is over.
    f.host.busy = false;
    f.clock.advanceSeconds(3);
    f.scheduler.tick();
    EXPECT_TRUE(f.host.retrieved.empty());
    // Run Now is refused the same way.
    f.host.busy = true;
    f.scheduler.RunScheduleItem(f.list.item(0));
    EXPECT_EQ(f.host.beeps, 2);
    EXPECT_TRUE(f.host.retrieved.empty());
}

TEST(Scheduler, RowsChangedWhileTheWalkPumpsEvents)
{
    Fixture f;
    f.list.appendItem(item("A", "0", "07:30"));
    f.list.appendItem(item("B", "0", "07:30"));
    f.list.appendItem(item("C", "0", "07:30"));
    int pumps = 0;
    // After the first row, the user removes the last two rows.
    f.host.onProcessEvents = [&] {
        if (++pumps == 1)
            f.list.removeRows(1, 2);
    };
    f.scheduler.tick();
    EXPECT_EQ(f.host.titles(), std::vector<std::string>{"A"});
    EXPECT_EQ(pumps, 1);
    EXPECT_FALSE(f.scheduler.running());

    // Removing the row being retrieved: the walk goes on without reading past the end.
    Fixture g;
    g.list.appendItem(item("X", "0", "07:30"));
    g.list.appendItem(item("Y", "0", "07:30"));
    g.host.onRetrieve = [&](const ChannelRequest& r) {
        if (r.title == "X")
            g.list.clear();
    };
    g.scheduler.tick();
    EXPECT_EQ(g.host.titles(), std::vector<std::string>{"X"});
}

TEST(Scheduler, UnreadableRowsAreSkippedAndReportedOncePerDay)
{
    Fixture f;
    f.list.appendItem(item("Broken", "daily", "07:30"));
    f.list.appendItem(item("Good", "0", "07:30"));
    ::testing::internal::CaptureStderr();
    f.scheduler.tick();
    f.clock.advanceSeconds(3);
    f.scheduler.tick();
    const std::string firstDay = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(f.host.titles(), std::vector<std::string>{"Good"});
    EXPECT_NE(firstDay.find("\"Broken\" (row 1) skipped: Frequence \"daily\" is not a whole number"),
              std::string::npos)
        << firstDay;
    EXPECT_EQ(firstDay.find("Broken"), firstDay.rfind("Broken")) << "reported once";
    ::testing::internal::CaptureStderr();
    f.clock.advanceDays(1);
    f.scheduler.tick();
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("Broken"), std::string::npos)
        << "again the next day";
}
