// The list commands over the list model and a selection, with the dialogs answered by script.
#include "schedule/open_document.h"
#include "schedule/schedule_list_commands.h"
#include "schedule/schedule_list_file.h"
#include "schedule/schedule_list_model.h"

#include <QItemSelectionModel>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <deque>
#include <fstream>
#include <functional>

namespace narrix {
namespace {

class ScriptedUi : public ScheduleListUi
{
public:
    std::function<ItemEditorValues(ItemEditorValues)> editor; // what the user does in the editor
    std::vector<ItemEditorValues> editorOpenedWith;
    std::vector<std::string> messages;
    std::deque<bool> answers;
    std::string importFile, exportFile;
    std::vector<int> revealed;
    int renameRow = -1;
    bool inRename = false;

    ItemEditorValues editItem(const ItemEditorValues& values) override
    {
        editorOpenedWith.push_back(values);
        return editor ? editor(values) : values;
    }
    void refuse(std::string_view message) override { messages.emplace_back(message); }
    bool confirm(std::string_view question) override
    {
        messages.emplace_back(question);
        const bool yes = !answers.empty() && answers.front();
        if (!answers.empty())
            answers.pop_front();
        return yes;
    }
    std::string chooseListToImport() override { return importFile; }
    std::string chooseListToExport() override { return exportFile; }
    void revealRow(int row) override { revealed.push_back(row); }
    bool renaming() const override { return inRename; }
    void startRename(int row) override { renameRow = row; }
};

class Document : public OpenDocument
{
public:
    std::string titleText = "Untitled", pathText;
    std::string title() const override { return titleText; }
    std::string path() const override { return pathText; }
};

// Accepts the editor with `title`, keeping the other values it was opened with.
std::function<ItemEditorValues(ItemEditorValues)> acceptWithTitle(std::string title)
{
    return [title](ItemEditorValues values) {
        values.title = title;
        values.accepted = true;
        return values;
    };
}

class ScheduleListCommandsTest : public ::testing::Test
{
protected:
    ScheduleListModel list;
    QItemSelectionModel selection{&list};
    ScriptedUi ui;
    Document document;
    ScheduleListCommands commands{list, selection, ui, document, ":"};

    void fill(std::initializer_list<const char*> titles)
    {
        for (const char* title : titles) {
            ScheduleItem item;
            item.title = title;
            item.general = "07:30 - Daily";
            item.lastRun = "12/8/26";
            item.checked = "True";
            list.appendItem(item);
        }
    }
    std::vector<std::string> titles() const
    {
        std::vector<std::string> out;
        for (const ScheduleItem& item : list.items())
            out.push_back(item.title);
        return out;
    }
    void select(int row, bool current = false)
    {
        const auto flags = QItemSelectionModel::Select | QItemSelectionModel::Rows;
        if (current)
            selection.setCurrentIndex(list.index(row, 0), flags);
        else
            selection.select(list.index(row, 0), flags);
    }
};

TEST_F(ScheduleListCommandsTest, AddProposesTheDocumentAndAppendsATickedItem)
{
    struct Case
    {
        const char* documentTitle;
        const char* path;
        const char* proposed;
    };
    for (const Case& c :
         {Case{"Letter.TXT", "/home/u/Letter.TXT", "Letter"}, Case{"page.html", "/p/page.html", "page"},
          Case{"notes.doc", "/n/notes.doc", "notes.doc"}, Case{"a.Rtf", "/a.Rtf", "a"},
          Case{"Untitled", "", "Untitled"}}) {
        document.titleText = c.documentTitle;
        document.pathText = c.path;
        commands.add(); // cancelled: nothing changes
        ASSERT_FALSE(ui.editorOpenedWith.empty());
        const ItemEditorValues& shown = ui.editorOpenedWith.back();
        EXPECT_EQ(shown.title, c.proposed);
        EXPECT_EQ(shown.address, c.path);
        EXPECT_EQ(shown.time, "00:00");
        EXPECT_EQ(shown.frequence, "0");
    }
    EXPECT_EQ(list.size(), 0);

    ui.editor = [](ItemEditorValues values) {
        values.title = "  Morning  ";
        values.time = "07:05";
        values.frequence = "1";
        values.accepted = true;
        return values;
    };
    commands.add();
    ASSERT_EQ(list.size(), 1);
    const ScheduleItem& added = list.item(0);
    EXPECT_EQ(added.title, "Morning");
    EXPECT_EQ(added.general, "07:05 - Weekly");
    EXPECT_EQ(added.lastRun, "Never");
    EXPECT_EQ(added.checked, "True");
    EXPECT_TRUE(added.ticked);
    EXPECT_TRUE(selection.isRowSelected(0));
    EXPECT_EQ(selection.currentIndex().row(), 0);
    EXPECT_EQ(ui.revealed, std::vector<int>{0});
}

TEST_F(ScheduleListCommandsTest, AddingAUsedTitleNumbersTheNewItem)
{
    fill({"news", "Other"});
    select(1);
    ui.editor = acceptWithTitle("News");
    commands.add();
    EXPECT_EQ(titles(), (std::vector<std::string>{"news", "Other", "News1"}));
    EXPECT_EQ(ui.messages, std::vector<std::string>{"This title is already used by another item."});
    EXPECT_TRUE(selection.isRowSelected(1)); // rows selected before stay selected
    EXPECT_TRUE(selection.isRowSelected(2));

    // With "news1" taken (in any case), the next one is News2.
    list.setItem(2, [&] {
        ScheduleItem item = list.item(2);
        item.title = "NEWS1";
        return item;
    }());
    commands.add();
    EXPECT_EQ(titles().back(), "News2");
}

TEST_F(ScheduleListCommandsTest, EditChangesTheFirstSelectedRowAndKeepsTitlesUnique)
{
    fill({"A", "B", "C"});
    list.setTicked(0, false);
    select(2);
    select(0);
    ui.editor = [](ItemEditorValues values) {
        EXPECT_EQ(values.title, "A");
        values.title = "b";
        values.address = "http://example.org/";
        values.time = "09:15";
        values.frequence = "2";
        values.leadKey = "Top";
        values.accepted = true;
        return values;
    };
    commands.edit();
    EXPECT_EQ(ui.messages, std::vector<std::string>{"This title is already used by another item."});
    const ScheduleItem& edited = list.item(0);
    EXPECT_EQ(edited.title, "A");
    EXPECT_EQ(edited.fileName, "http://example.org/");
    EXPECT_EQ(edited.general, "09:15 - Monthly");
    EXPECT_EQ(edited.leadKey, "Top");
    EXPECT_EQ(edited.lastRun, "Never");
    EXPECT_FALSE(edited.ticked); // the check box stays as it was
    EXPECT_EQ(edited.checked, "True");

    // The same title, or the same in other letter case, raises nothing.
    ui.messages.clear();
    ui.editor = acceptWithTitle(" a ");
    commands.edit();
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(list.item(0).title, "a");

    // Cancel changes nothing, not even LastRun.
    list.setItem(2, [&] {
        ScheduleItem item = list.item(2);
        item.lastRun = "12/8/26";
        return item;
    }());
    selection.clearSelection();
    select(2);
    ui.editor = nullptr;
    const ScheduleItem before = list.item(2);
    commands.edit();
    EXPECT_EQ(list.item(2), before);
}

TEST_F(ScheduleListCommandsTest, RenameInPlaceChecksTheTitle)
{
    fill({"News", "Sports"});
    select(1);
    commands.rename();
    EXPECT_EQ(ui.renameRow, 1);
    ui.renameRow = -1;
    ui.inRename = true;
    commands.rename(); // an edit already under way
    EXPECT_EQ(ui.renameRow, -1);

    struct Case
    {
        const char* typed;
        const char* message; // empty when accepted
        const char* result;
    };
    for (const Case& c :
         {Case{"  Weather  ", "", "Weather"}, Case{"Weather]", "Title cannot contain ']'.", "Weather"},
          Case{" \t ", "Title cannot be empty.", "Weather"},
          Case{"NEWS", "This title is already used by another item.", "Weather"},
          Case{"WEATHER", "", "WEATHER"}}) {
        ui.messages.clear();
        EXPECT_EQ(commands.titleEdited(1, c.typed), *c.message == '\0') << c.typed;
        EXPECT_EQ(list.item(1).title, c.result) << c.typed;
        if (*c.message != '\0')
            EXPECT_EQ(ui.messages, std::vector<std::string>{c.message});
        else
            EXPECT_TRUE(ui.messages.empty());
    }
}

TEST_F(ScheduleListCommandsTest, RemoveDeletesEverySelectedRowAfterOneYes)
{
    fill({"A", "B", "C", "D", "E"});
    select(0);
    select(2);
    select(3);
    ui.answers = {false};
    commands.remove();
    EXPECT_EQ(list.size(), 5);
    ui.answers = {true};
    commands.remove();
    EXPECT_EQ(titles(), (std::vector<std::string>{"B", "E"}));
    EXPECT_EQ(ui.messages,
              std::vector<std::string>(2, "Are you sure you want to delete the selected item(s)?"));
    ui.messages.clear();
    commands.remove(); // nothing selected: no question
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ScheduleListCommandsTest, MovesTakeTheFocusedRowWithItsSelectionAndCheckBox)
{
    fill({"A", "B", "C"});
    EXPECT_FALSE(commands.canMoveUp());
    select(0, true);
    EXPECT_FALSE(commands.canMoveUp()); // first row
    EXPECT_TRUE(commands.canMoveDown());
    selection.setCurrentIndex(list.index(1, 0), QItemSelectionModel::NoUpdate);
    EXPECT_FALSE(commands.canMoveUp()); // the focused row is not selected
    EXPECT_FALSE(commands.canMoveDown());

    list.setTicked(1, false);
    selection.setCurrentIndex(list.index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    commands.moveDown();
    EXPECT_EQ(titles(), (std::vector<std::string>{"A", "C", "B"}));
    EXPECT_FALSE(list.item(2).ticked);
    EXPECT_EQ(selection.currentIndex().row(), 2);
    EXPECT_TRUE(selection.isRowSelected(2));
    EXPECT_FALSE(selection.isRowSelected(1));
    EXPECT_TRUE(selection.isRowSelected(0)); // the other selected row keeps its selection
    EXPECT_FALSE(commands.canMoveDown());    // now the last row
    commands.moveUp();
    commands.moveUp();
    EXPECT_EQ(titles(), (std::vector<std::string>{"B", "A", "C"}));
    EXPECT_TRUE(selection.isRowSelected(0));
    EXPECT_TRUE(selection.isRowSelected(1));
    EXPECT_FALSE(commands.canMoveUp());
    EXPECT_EQ(ui.revealed, (std::vector<int>{2, 1, 0}));
}

TEST_F(ScheduleListCommandsTest, ImportMergesAndExportWritesTheWholeList)
{
    QTemporaryDir dir;
    const std::string file = dir.filePath(QStringLiteral("in.nxl")).toStdString();
    std::ofstream(file, std::ios::binary) << "[News]\r\nGeneral=09:00 - Daily\r\nFileName=http://n/\r\n"
                                             "[Fresh]\r\nChecked=False\r\n";
    fill({"News", "Other"});
    ui.importFile = file;
    commands.importList();
    EXPECT_EQ(titles(), (std::vector<std::string>{"Other", "News", "Fresh"}));
    EXPECT_EQ(list.item(1).fileName, "http://n/");
    EXPECT_FALSE(list.item(2).ticked);
    EXPECT_TRUE(ui.messages.empty());

    // A name typed without an extension gets ".nxl".
    ui.exportFile = dir.filePath(QStringLiteral("out")).toStdString();
    commands.exportList();
    ScheduleListModel back;
    std::string error;
    ASSERT_TRUE(LoadScheduleList(back, ui.exportFile + ".nxl", ":", &error)) << error;
    EXPECT_EQ(back.items(), list.items());

    // A place that cannot be written: the error is shown, the list is unchanged.
    ui.exportFile = dir.filePath(QStringLiteral("missing/folder/out.nxl")).toStdString();
    commands.exportList();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "Unable to write to " + ui.exportFile);
    EXPECT_EQ(list.size(), 3);

    // A file that cannot be read is reported and merges nothing.
    ui.messages.clear();
    ui.importFile = dir.path().toStdString();
    commands.importList();
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(list.size(), 3);
}

} // namespace
} // namespace narrix
