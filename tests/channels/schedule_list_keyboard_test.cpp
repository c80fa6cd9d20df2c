// The schedule list commands through the real main window, by keyboard alone: add, edit, rename in
// place, move and remove an item, exporting the list to schedule.nxl after each step.
#include "app/tf_main.h"
#include "base/error_hook.h"
#include "channels/schedule_list_plugin.h"
#include "platform/data_folder.h"
#include "schedule/schedule_list_model.h"
#include "support/main_window_harness.h"
#include "support/modal_driver.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTreeView>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace narrix {
namespace {

using testing::press;
using testing::type;
using testing::whenModal;

class ScheduleListKeyboardTest : public ::testing::Test, protected testing::MainWindowHarness<>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        setGivenDataFolder(dir.path());
        store.values.insert(QStringLiteral("FontCharset"), QStringLiteral("0")); // not a first run
        MainServices services;
        services.plugins.push_back(&listCommands);
        window = newWindow(services);
        window->FormCreate({});
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        prompter.runDialogs = true;
        window->scheduleList()->setFocus();
    }
    void TearDown() override
    {
        window.reset();
        setGivenDataFolder({});
    }

    std::string listFile() const { return dir.filePath(QStringLiteral("schedule.nxl")).toStdString(); }

    // Export (Ctrl+E) to schedule.nxl and return what the file holds.
    std::string saveStep()
    {
        prompter.fileNames.push_back(QString::fromStdString(listFile()));
        press(*window, Qt::Key_E, Qt::ControlModifier);
        std::ifstream in(listFile(), std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::vector<std::string> titles() const
    {
        std::vector<std::string> out;
        for (const ScheduleItem& item : window->scheduleItems().items())
            out.push_back(item.title);
        return out;
    }
    QAction* action(const char* name) const { return window->findChild<QAction*>(QLatin1String(name)); }

    QTemporaryDir dir;
    ScheduleListPlugin listCommands{":"};
    std::unique_ptr<TfMain> window;
};

TEST_F(ScheduleListKeyboardTest, AddEditRenameMoveAndRemoveWithoutTheMouse)
{
    // Add (Ctrl+D): the editor proposes the new document; type a title and an address.
    whenModal([](QDialog& editor) {
        type(editor, QStringLiteral("News"));
        press(editor, Qt::Key_Tab);
        type(editor, QStringLiteral("http://example.org/news"));
        press(editor, Qt::Key_Return);
    });
    press(*window, Qt::Key_D, Qt::ControlModifier);
    ASSERT_EQ(titles(), std::vector<std::string>{"News"});
    std::string saved = saveStep();
    EXPECT_TRUE(saved.starts_with("[News]\r\nGeneral=00:00 - Daily\r\nFileName=http://example.org/news\r\n"))
        << saved;
    EXPECT_FALSE(action("actMoveUp")->isEnabled());
    EXPECT_FALSE(action("actMoveDown")->isEnabled());

    // Edit (Enter in the list): 07:30, weekly.
    whenModal([](QDialog& editor) {
        press(editor, Qt::Key_Tab);
        press(editor, Qt::Key_Tab);
        press(editor, Qt::Key_Down);
        press(editor, Qt::Key_Tab);
        type(editor, QStringLiteral("7"));
        press(editor, Qt::Key_Tab);
        type(editor, QStringLiteral("30"));
        press(editor, Qt::Key_Return);
    });
    press(*window, Qt::Key_Return);
    saved = saveStep();
    EXPECT_NE(saved.find("General=07:30 - Weekly\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("LastRun=Never\r\n"), std::string::npos) << saved;

    // Rename in place (F2): blanks around the new title are dropped.
    press(*window, Qt::Key_F2);
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->objectName(), QStringLiteral("edRename"));
    press(*window, Qt::Key_A, Qt::ControlModifier);
    type(*window, QStringLiteral("  Weather  "));
    press(*window, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([this] { return titles() == std::vector<std::string>{"Weather"}; }));
    EXPECT_TRUE(saveStep().starts_with("[Weather]\r\n"));

    // A second item (Insert), then Move Up (Ctrl+Up) puts it first.
    whenModal([](QDialog& d) {
        type(d, QStringLiteral("Sports"));
        press(d, Qt::Key_Tab);
        type(d, QStringLiteral("http://example.org/sports"));
        press(d, Qt::Key_Return);
    });
    window->scheduleList()->setFocus();
    press(*window, Qt::Key_Insert);
    ASSERT_EQ(titles(), (std::vector<std::string>{"Weather", "Sports"}));
    EXPECT_TRUE(action("actMoveUp")->isEnabled());
    EXPECT_FALSE(action("actMoveDown")->isEnabled());
    press(*window, Qt::Key_Up, Qt::ControlModifier);
    ASSERT_EQ(titles(), (std::vector<std::string>{"Sports", "Weather"}));
    saved = saveStep();
    EXPECT_LT(saved.find("[Sports]"), saved.find("[Weather]")) << saved;

    // Select Weather alone with the arrow keys and remove it (Delete, Yes).
    press(*window, Qt::Key_Down);
    prompter.answers = {QMessageBox::Yes};
    prompter.shown.clear();
    press(*window, Qt::Key_Delete);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text,
              QStringLiteral("Are you sure you want to delete the selected item(s)?"));
    EXPECT_EQ(prompter.shown[0].icon, QMessageBox::Question);
    ASSERT_EQ(titles(), std::vector<std::string>{"Sports"});
    saved = saveStep();
    EXPECT_EQ(saved.find("[Weather]"), std::string::npos) << saved;
    EXPECT_EQ(window->state().openModalDialogs, 0);
}

TEST_F(ScheduleListKeyboardTest, PopUpMenuAndToolbarCarryTheCommands)
{
    auto* menu = window->findChild<QMenu*>(QStringLiteral("popSch"));
    ASSERT_NE(menu, nullptr);
    QStringList items;
    for (QAction* item : menu->actions())
        items << (item->isSeparator() ? QStringLiteral("-") : item->text());
    EXPECT_EQ(items.join(u'|'), QStringLiteral("&Add...|&Remove|-|Ru&n Now|Edi&t...|Rena&me|-|Move &Up|"
                                               "Move &Down|-|&Import List...|&Export List..."));
    EXPECT_TRUE(action("actAdd")->isEnabled());
    EXPECT_TRUE(action("actImport")->isEnabled());
    EXPECT_FALSE(action("actEdit")->isEnabled());
    EXPECT_FALSE(action("actRemove")->isEnabled());
    EXPECT_FALSE(action("actRename")->isEnabled());
    EXPECT_EQ(action("actAdd")->toolTip(), QStringLiteral("Add"));
    EXPECT_EQ(action("actEdit")->toolTip(), QStringLiteral("Edit"));
    EXPECT_EQ(action("actRemove")->toolTip(), QStringLiteral("Remove"));

    // Renaming in place to a used title or to "]" is refused with the old title kept.
    ScheduleItem item;
    item.title = "A";
    window->scheduleItems().appendItem(item);
    item.title = "B";
    window->scheduleItems().appendItem(item);
    press(*window, Qt::Key_Down); // selects the first row
    EXPECT_TRUE(action("actRename")->isEnabled());
    press(*window, Qt::Key_F2);
    press(*window, Qt::Key_A, Qt::ControlModifier);
    type(*window, QStringLiteral("b"));
    press(*window, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([this] { return !prompter.shown.empty(); }));
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, QStringLiteral("This title is already used by another item."));
    EXPECT_EQ(titles(), (std::vector<std::string>{"A", "B"}));
}

} // namespace
} // namespace narrix
