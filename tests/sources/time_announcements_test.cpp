// Time and date phrases and the announcements on the hour and half hour, with a fake clock.
#include "fakes/fake_clock.h"
#include "fakes/fake_source_speaker.h"
#include "sources/time_announcements.h"
#include "sources/time_phrases.h"

#include <gtest/gtest.h>

namespace narrix {
namespace {

using testing::FakeClock;
using testing::FakeSourceSpeaker;
using Spoken = FakeSourceSpeaker::Spoken;

TEST(TimePhrase, EveryHourAndMinuteClass)
{
    struct Row
    {
        int hour;
        int minute;
        const char* twelve;
        const char* twentyFour;
    };
    const Row rows[] = {
        {0, 0, "12 o'clock", "0 o'clock"},  {0, 30, "12 30", "0 30"},
        {1, 1, "1 o 1", "1 o 1"},           {9, 7, "9 o 7", "9 o 7"},
        {9, 9, "9 o 9", "9 o 9"},           {9, 10, "9 10", "9 10"},
        {11, 59, "11 59", "11 59"},         {12, 0, "12 o'clock", "12 o'clock"},
        {13, 0, "1 o'clock", "13 o'clock"}, {14, 0, "2 o'clock", "14 o'clock"},
        {14, 5, "2 o 5", "14 o 5"},         {14, 45, "2 45", "14 45"},
        {23, 59, "11 59", "23 59"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(timePhrase(QTime(row.hour, row.minute), true), row.twelve) << row.hour << ":" << row.minute;
        EXPECT_EQ(timePhrase(QTime(row.hour, row.minute), false), row.twentyFour)
            << row.hour << ":" << row.minute;
    }
}

TEST(TimePhrase, OrdinalsAndDates)
{
    const std::pair<int, const char*> ordinals[] = {
        {1, "1st"},   {2, "2nd"},   {3, "3rd"},   {4, "4th"},   {10, "10th"}, {11, "11th"}, {12, "12th"},
        {13, "13th"}, {20, "20th"}, {21, "21st"}, {22, "22nd"}, {23, "23rd"}, {24, "24th"}, {31, "31st"},
    };
    for (const auto& [day, text] : ordinals)
        EXPECT_EQ(ordinal(day), text);
    EXPECT_EQ(datePhrase(QDate(2026, 12, 7)), "Monday, December the 7th");
    EXPECT_EQ(datePhrase(QDate(2026, 3, 22)), "Sunday, March the 22nd");
    EXPECT_EQ(datePhrase(QDate(2029, 5, 11)), "Friday, May the 11th");
    EXPECT_EQ(datePhrase(QDate(2026, 1, 3)), "Saturday, January the 3rd");
}

TEST(TimePhrase, Templates)
{
    EXPECT_EQ(fillTemplate("It's # now.", "2 o'clock"), "It's 2 o'clock now.");
    EXPECT_EQ(fillTemplate("# and #", "9 10"), "9 10 and 9 10");
    EXPECT_EQ(fillTemplate("No phrase", "9 10"), "No phrase");
    EXPECT_EQ(fillTemplate("", "9 10"), "");
    EXPECT_EQ(fillTemplate("###", "a#"), "a#a#a#");
}

class TimeRig
{
public:
    QString tellTime = QStringLiteral("Hourly");
    QString timeStyle = QStringLiteral("It's # now.");
    QString dateStyle = QStringLiteral("Today is #.");
    QString hourFormat = QStringLiteral("12");
    FakeClock clock{QDateTime(QDate(2026, 12, 7), QTime(13, 59, 50))};
    FakeSourceSpeaker speaker;
    TimeAnnouncements announcements{clock, speaker, TimeSettings{tellTime, timeStyle, dateStyle, hourFormat}};

    // Ticks every 500 ms for `seconds`, the engine finishing at once.
    void run(int seconds)
    {
        for (int i = 0; i < seconds * 2; ++i) {
            announcements.tick();
            speaker.done();
            clock.set(clock.now().addMSecs(500));
        }
    }
};

TEST(TimeAnnouncements, OneAnnouncementPerWindow)
{
    struct Row
    {
        const char* tellTime;
        std::vector<Spoken> spoken;
    };
    const Row rows[] = {
        {"Hourly", {{3, "It's 2 o'clock now."}, {3, "It's 3 o'clock now."}}},
        {"Halfhourly", {{3, "It's 2 o'clock now."}, {3, "It's 2 30 now."}, {3, "It's 3 o'clock now."}}},
        {"Never", {}},
        {"hourly", {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.tellTime);
        TimeRig rig;
        rig.tellTime = QString::fromLatin1(row.tellTime);
        rig.clock.set(QDateTime(QDate(2026, 12, 7), QTime(13, 59, 50)));
        rig.run(62 * 60);
        EXPECT_EQ(rig.speaker.spoken, row.spoken);
    }
}

TEST(TimeAnnouncements, TheWindowIsTenSecondsAndAMissedWindowIsMissed)
{
    TimeRig rig;
    rig.clock.set(QDateTime(QDate(2026, 12, 7), QTime(14, 0, 10)));
    rig.run(60);
    EXPECT_TRUE(rig.speaker.spoken.empty());
    rig.clock.set(QDateTime(QDate(2026, 12, 7), QTime(15, 0, 9)));
    rig.announcements.tick();
    EXPECT_EQ(rig.speaker.spoken, (std::vector<Spoken>{{3, "It's 3 o'clock now."}}));
}

TEST(TimeAnnouncements, ResetLetsASecondAnnouncementThrough)
{
    TimeRig rig;
    rig.clock.set(QDateTime(QDate(2026, 12, 7), QTime(14, 0, 0)));
    rig.run(5);
    rig.announcements.resetMemory();
    rig.run(10);
    EXPECT_EQ(rig.speaker.spoken,
              (std::vector<Spoken>{{3, "It's 2 o'clock now."}, {3, "It's 2 o'clock now."}}));
}

TEST(TimeAnnouncements, ADeclinedAnnouncementIsNotRetried)
{
    TimeRig rig;
    rig.clock.set(QDateTime(QDate(2026, 12, 7), QTime(14, 0, 0)));
    rig.speaker.current = 4;
    rig.announcements.tick();
    rig.speaker.current = 0;
    rig.run(9);
    EXPECT_TRUE(rig.speaker.spoken.empty());
}

TEST(TimeAnnouncements, Commands)
{
    struct Row
    {
        const char* name;
        int current;
        QString timeStyle;
        QString hourFormat;
        std::vector<Spoken> spoken;
    };
    const Row rows[] = {
        {"default template, 12-hour clock",
         0,
         QStringLiteral("It's # now."),
         QStringLiteral("12"),
         {{3, "It's 12 o 5 now."}, {3, "Today is Tuesday, December the 8th."}}},
        {"24-hour clock",
         0,
         QStringLiteral("#"),
         QStringLiteral("24"),
         {{3, "0 o 5"}, {3, "Today is Tuesday, December the 8th."}}},
        {"two #",
         0,
         QStringLiteral("# # "),
         QStringLiteral("12"),
         {{3, "12 o 5 12 o 5 "}, {3, "Today is Tuesday, December the 8th."}}},
        {"while real-time speech speaks",
         1,
         QStringLiteral("#"),
         QStringLiteral("12"),
         {{3, "12 o 5"}, {3, "Today is Tuesday, December the 8th."}}},
        {"while the clipboard is spoken",
         2,
         QStringLiteral("#"),
         QStringLiteral("12"),
         {{3, "12 o 5"}, {3, "Today is Tuesday, December the 8th."}}},
        {"while a document is read", 4, QStringLiteral("#"), QStringLiteral("12"), {}},
        {"while a schedule item is read", 5, QStringLiteral("#"), QStringLiteral("12"), {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TimeRig rig;
        rig.clock.set(QDateTime(QDate(2026, 12, 8), QTime(0, 5, 30)));
        rig.timeStyle = row.timeStyle;
        rig.hourFormat = row.hourFormat;
        rig.speaker.current = row.current;
        rig.announcements.speakTime();
        if (rig.speaker.current == 3)
            rig.speaker.current = row.current;
        rig.announcements.speakDate();
        EXPECT_EQ(rig.speaker.spoken, row.spoken);
    }
}

} // namespace
} // namespace narrix
