// The item editor's number, time and frequency rules.
#include "schedule/item_editor_rules.h"
#include "schedule/item_editor_values.h"

#include <gtest/gtest.h>

namespace narrix {
namespace {

TEST(ItemEditorRules, NumberFieldsKeepDigitsWithinTheirLimit)
{
    struct Case
    {
        const char* typed;
        int cursor;
        int limit;
        NumberFieldText result;
    };
    for (const Case& c : {
             Case{"7a", 2, 23, {"7", 1}},
             Case{"99", 2, 23, {"23", 2}},
             Case{"75", 2, 59, {"59", 2}},
             Case{"60", 1, 59, {"59", 2}},
             Case{"a1b2", 4, 31, {"12", 2}},
             Case{"x", 1, 23, {"", 0}},
             Case{"31", 2, 30, {"30", 2}},
             Case{"31", 2, 31, {"31", 2}},
             Case{"00", 1, 23, {"00", 1}},
             Case{"1234567890123", 3, 59, {"59", 2}},
         }) {
        EXPECT_EQ(limitNumberField(c.typed, c.cursor, c.limit), c.result) << c.typed;
    }
}

TEST(ItemEditorRules, MonthLengthsLeaveRulesAndTime)
{
    const int expected[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int month = 0; month < 12; ++month)
        EXPECT_EQ(dateLimit(true, month), expected[month]) << month;
    EXPECT_EQ(dateLimit(false, 1), 31);
    EXPECT_EQ(dateLimit(true, -1), 31);

    EXPECT_EQ(leaveTimeField(""), "0");
    EXPECT_EQ(leaveTimeField("7"), "7");
    EXPECT_EQ(leaveDateField(""), "1");
    EXPECT_EQ(leaveDateField("0"), "1");
    EXPECT_EQ(leaveDateField("00"), "1");
    EXPECT_EQ(leaveDateField("05"), "05");

    EXPECT_EQ(padTwoDigits("7"), "07");
    EXPECT_EQ(padTwoDigits(""), "00");
    EXPECT_EQ(padTwoDigits("12"), "12");
    EXPECT_EQ(splitTime("07:30", ":").hour, "07");
    EXPECT_EQ(splitTime("07:30", ":").minute, "30");
    EXPECT_EQ(splitTime("07.30", ":").hour, "07.30"); // written with another separator
    EXPECT_EQ(splitTime("07.30", ":").minute, "");
    EXPECT_EQ(splitTime("07.30", ".").minute, "30");

    EXPECT_EQ(listPosition("3", 4), 3);
    EXPECT_EQ(listPosition("4", 4), -1);
    EXPECT_EQ(listPosition("-1", 4), -1);
    EXPECT_EQ(listPosition("x", 4), -1);
    EXPECT_EQ(listPosition("", 4), -1);
    EXPECT_EQ(listPosition("1 ", 4), -1);

    EXPECT_FALSE(fieldsForFrequency(0).weekday || fieldsForFrequency(0).date || fieldsForFrequency(0).month);
    EXPECT_TRUE(fieldsForFrequency(1).weekday && !fieldsForFrequency(1).date);
    EXPECT_TRUE(fieldsForFrequency(2).date && !fieldsForFrequency(2).month);
    EXPECT_TRUE(fieldsForFrequency(3).date && fieldsForFrequency(3).month && !fieldsForFrequency(3).weekday);
    EXPECT_FALSE(fieldsForFrequency(-1).date);
}

// Every value the item editor shows goes into the item and comes back unchanged.
TEST(ItemEditorValues, EachEditedValueGoesBothWays)
{
    const ItemEditorValues edited{.title = "Morning news",
                                  .address = "http://example.com/news",
                                  .frequence = "2",
                                  .time = "07:30",
                                  .day = "3",
                                  .date = "15",
                                  .month = "4",
                                  .leadKey = "Headlines",
                                  .trailKey = "Weather",
                                  .leadInc = "True",
                                  .trailInc = "True"};
    ScheduleItem item;
    applyEditorValues(edited, &item);
    EXPECT_EQ(editorValuesOf(item), edited);
    EXPECT_EQ(item.lastRun, "Never");
}

} // namespace
} // namespace narrix
