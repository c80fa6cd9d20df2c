#include "schedule/schedule_list_model.h"
#include "schedule/time_separator.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QSignalSpy>

using namespace narrix;

namespace {

ScheduleItem titled(const char* title, const char* general = "07:30 - Daily")
{
    ScheduleItem item;
    item.title = title;
    item.general = general;
    return item;
}

std::vector<std::string> titles(const ScheduleListModel& model)
{
    std::vector<std::string> out;
    for (const auto& item : model.items())
        out.push_back(item.title);
    return out;
}

} // namespace

TEST(ScheduleListModel, ShowsTitleScheduleAndCheckBox)
{
    ScheduleListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.appendItem(titled("Caf\xc3\xa9", "08:00 - Weekly"));
    EXPECT_EQ(model.headerData(0, Qt::Horizontal).toString(), QStringLiteral("Title"));
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("Schedule"));
    EXPECT_EQ(model.columnCount(), 2);
    EXPECT_EQ(model.data(model.index(0, 0)).toString(), QStringLiteral("Caf\u00e9"));
    EXPECT_EQ(model.data(model.index(0, 1)).toString(), QStringLiteral("08:00 - Weekly"));
    EXPECT_TRUE(model.flags(model.index(0, 0)) & Qt::ItemIsUserCheckable);
    EXPECT_FALSE(model.flags(model.index(0, 1)) & Qt::ItemIsUserCheckable);
    EXPECT_EQ(model.data(model.index(0, 0), Qt::CheckStateRole).value<Qt::CheckState>(), Qt::Checked);

    // The user unticks the row: the check box changes, the stored "Checked" text does not.
    model.setItem(0, [] {
        ScheduleItem item = titled("X");
        item.checked = "True";
        return item;
    }());
    QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
    EXPECT_TRUE(model.setData(model.index(0, 0), Qt::Unchecked, Qt::CheckStateRole));
    EXPECT_EQ(changed.count(), 1);
    EXPECT_FALSE(model.item(0).ticked);
    EXPECT_EQ(model.item(0).checked, "True");
    EXPECT_FALSE(model.setData(model.index(0, 1), Qt::Checked, Qt::CheckStateRole));
}

TEST(ScheduleListModel, EditsRowsInOrder)
{
    ScheduleListModel model;
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    for (const char* t : {"a", "b", "c", "d"})
        model.appendItem(titled(t));
    model.moveItem(0, 2);
    EXPECT_EQ(titles(model), (std::vector<std::string>{"b", "c", "a", "d"}));
    model.moveItem(3, 0);
    EXPECT_EQ(titles(model), (std::vector<std::string>{"d", "b", "c", "a"}));
    model.insertItem(1, titled("B"));
    EXPECT_TRUE(model.removeRows(0, 1));
    EXPECT_FALSE(model.removeRows(3, 5));
    EXPECT_EQ(titles(model), (std::vector<std::string>{"B", "b", "c", "a"}));
    // Caption search: whole title, A to Z case ignored, from a row on, no wrap-around.
    EXPECT_EQ(model.findTitle("b"), 0);
    EXPECT_EQ(model.findTitle("b", 1), 1);
    EXPECT_EQ(model.findTitle("B", 2), -1);
    EXPECT_EQ(model.findTitle(""), -1);
    model.clear();
    EXPECT_EQ(model.rowCount(), 0);
}

TEST(TimeSeparator, ComesFromTheShortTimeFormat)
{
    EXPECT_EQ(timeSeparatorOf(QLocale::c()), ":");
    EXPECT_EQ(timeSeparatorOf(QLocale(QLocale::English, QLocale::UnitedStates)), ":");
    EXPECT_EQ(timeSeparatorOf(QLocale(QLocale::Finnish, QLocale::Finland)), ".");
}

TEST(ScheduleItem, ScheduleColumnTextShowsTimeAndFrequency)
{
    EXPECT_EQ(scheduleColumnText("07:30", "0"), "07:30 - Daily");
    EXPECT_EQ(scheduleColumnText("07:30", "1"), "07:30 - Weekly");
    EXPECT_EQ(scheduleColumnText("23.05", "2"), "23.05 - Monthly");
    EXPECT_EQ(scheduleColumnText("00:00", "3"), "00:00 - Yearly");
    EXPECT_EQ(frequencyWord("4"), "");
    EXPECT_EQ(frequencyWord(" 0"), "");
}
