// The item editor driven by keys alone: tab order, the number rules, the OK checks, the Text Picker
// and the e-mail account dialog it opens.
#include "app/program_state.h"
#include "dialogs/item_editor_dialog.h"
#include "fakes/fake_prompter.h"
#include "plugin/modal_dialog_host.h"
#include "support/modal_driver.h"

#include <QComboBox>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace narrix {
namespace {

using testing::focusedName;
using testing::press;
using testing::type;
using testing::whenModal;

class ItemEditorTest : public ::testing::Test
{
protected:
    ProgramState state;
    testing::FakePrompter prompter;
    ModalDialogs modal{state.openModalDialogs, prompter, nullptr};
    ModalDialogHost dialogs{modal};

    void SetUp() override
    {
        prompter.runDialogs = true;
        prompter.state = &state;
    }

    ItemEditorValues run(const ItemEditorValues& values, std::function<void(QDialog&)> steps)
    {
        whenModal(std::move(steps));
        return TfrmSche::run(values, ItemEditorContext{dialogs, ":", {}}, nullptr);
    }

    static QString text(QDialog& d, const char* name)
    {
        return d.findChild<QLineEdit*>(QLatin1String(name))->text();
    }
    static QComboBox* combo(QDialog& d, const char* name)
    {
        return d.findChild<QComboBox*>(QLatin1String(name));
    }

    std::vector<QString> messages() const
    {
        std::vector<QString> out;
        for (const auto& shown : prompter.shown)
            out.push_back(shown.text);
        return out;
    }
};

ItemEditorValues fresh()
{
    return newItemValues("Untitled", "", ":");
}

TEST_F(ItemEditorTest, FillsEveryFieldInTabOrderAndReturnsTheValues)
{
    const ItemEditorValues result = run(fresh(), [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Add/Edit Scheduled Speech"));
        EXPECT_EQ(focusedName(d), QStringLiteral("edTitle"));
        press(d, Qt::Key_A, Qt::ControlModifier);
        type(d, QStringLiteral("Morning Paper"));
        press(d, Qt::Key_Tab);
        EXPECT_EQ(focusedName(d), QStringLiteral("edFile"));
        type(d, QStringLiteral("http://example.org/paper"));
        press(d, Qt::Key_Tab);
        EXPECT_EQ(focusedName(d), QStringLiteral("cbFreq"));
        press(d, Qt::Key_Down); // Weekly
        press(d, Qt::Key_Tab);
        EXPECT_EQ(focusedName(d), QStringLiteral("edHour"));
        type(d, QStringLiteral("7a"));
        EXPECT_EQ(text(d, "edHour"), QStringLiteral("7"));
        press(d, Qt::Key_Tab);
        EXPECT_EQ(focusedName(d), QStringLiteral("edMin"));
        type(d, QStringLiteral("5"));
        press(d, Qt::Key_Tab);
        EXPECT_EQ(focusedName(d), QStringLiteral("cbWeekday"));
        press(d, Qt::Key_Down);
        press(d, Qt::Key_Down); // Tuesday
        press(d, Qt::Key_Tab);
        // Weekly: the day of month and the month are disabled and skipped.
        EXPECT_EQ(focusedName(d), QStringLiteral("Button1"));
        press(d, Qt::Key_Tab);
        EXPECT_EQ(focusedName(d), QStringLiteral("Button2"));
        press(d, Qt::Key_Tab);
        press(d, Qt::Key_Return);
    });
    EXPECT_TRUE(result.accepted);
    EXPECT_EQ(result.title, "Morning Paper");
    EXPECT_EQ(result.address, "http://example.org/paper");
    EXPECT_EQ(result.frequence, "1");
    EXPECT_EQ(result.time, "07:05");
    EXPECT_EQ(result.day, "2");
    EXPECT_EQ(result.date, "1");
    EXPECT_EQ(result.month, "0");
    EXPECT_EQ(result.leadInc, "False");
}

TEST_F(ItemEditorTest, NumberFieldsFollowTheirLimitsWhileTypingAndWhenLeft)
{
    ItemEditorValues yearly = fresh();
    yearly.title = "Y";
    yearly.address = "a";
    yearly.frequence = "3";
    yearly.month = "3"; // April
    const ItemEditorValues result = run(yearly, [](QDialog& d) {
        auto* hour = d.findChild<QLineEdit*>(QStringLiteral("edHour"));
        hour->setFocus();
        hour->selectAll();
        type(d, QStringLiteral("99"));
        EXPECT_EQ(hour->text(), QStringLiteral("23"));
        press(d, Qt::Key_Up); // the arrows stop at the limit
        EXPECT_EQ(hour->text(), QStringLiteral("23"));
        press(d, Qt::Key_Tab);
        type(d, QStringLiteral("75"));
        EXPECT_EQ(text(d, "edMin"), QStringLiteral("59"));

        auto* date = d.findChild<QLineEdit*>(QStringLiteral("edDate"));
        date->setFocus();
        date->selectAll();
        type(d, QStringLiteral("31"));
        EXPECT_EQ(date->text(), QStringLiteral("30"));
        press(d, Qt::Key_Tab); // the month
        press(d, Qt::Key_Up);
        press(d, Qt::Key_Up); // February
        EXPECT_EQ(combo(d, "cbMonth")->currentIndex(), 1);
        EXPECT_EQ(date->text(), QStringLiteral("29"));

        // Emptied and left: "1"; "0" and left: "1".
        date->setFocus();
        date->selectAll();
        press(d, Qt::Key_Delete);
        press(d, Qt::Key_Tab);
        EXPECT_EQ(date->text(), QStringLiteral("1"));
        date->setFocus();
        date->selectAll();
        type(d, QStringLiteral("0"));
        press(d, Qt::Key_Tab);
        EXPECT_EQ(date->text(), QStringLiteral("1"));
        // Emptied hour, left: "0". Enter with an empty date: the date becomes "1".
        hour->setFocus();
        hour->selectAll();
        press(d, Qt::Key_Backspace);
        press(d, Qt::Key_Tab);
        EXPECT_EQ(hour->text(), QStringLiteral("0"));
        date->setFocus();
        date->selectAll();
        press(d, Qt::Key_Backspace);
        press(d, Qt::Key_Return);
    });
    EXPECT_TRUE(result.accepted);
    EXPECT_EQ(result.date, "1");
    EXPECT_EQ(result.time, "00:59");
    EXPECT_EQ(result.month, "1");

    // Monthly: 31 stays whatever month is selected.
    ItemEditorValues monthly = yearly;
    monthly.frequence = "2";
    monthly.date = "31";
    const ItemEditorValues kept = run(monthly, [](QDialog& d) {
        EXPECT_EQ(text(d, "edDate"), QStringLiteral("31"));
        EXPECT_FALSE(combo(d, "cbMonth")->isEnabled());
        press(d, Qt::Key_Return);
    });
    EXPECT_EQ(kept.date, "31");
    // Yearly with April and a stored 31: shown and returned as 30.
    yearly.date = "31";
    EXPECT_EQ(run(yearly, [](QDialog& d) { press(d, Qt::Key_Return); }).date, "30");
}

TEST_F(ItemEditorTest, OkRefusesBadTitlesAndEmptyAddressesInOrder)
{
    ItemEditorValues values = fresh();
    values.title = "   ";
    values.address = "  ";
    const ItemEditorValues result = run(values, [this](QDialog& d) {
        press(d, Qt::Key_Return);
        EXPECT_EQ(focusedName(d), QStringLiteral("edTitle"));
        EXPECT_TRUE(d.isVisible());
        type(d, QStringLiteral("a]b"));
        press(d, Qt::Key_Return);
        EXPECT_EQ(focusedName(d), QStringLiteral("edTitle"));
        d.findChild<QLineEdit*>(QStringLiteral("edTitle"))->setText(QStringLiteral("News"));
        press(d, Qt::Key_Return);
        EXPECT_EQ(focusedName(d), QStringLiteral("edFile"));
        ASSERT_EQ(prompter.shown.size(), 3u);
        for (const auto& shown : prompter.shown) {
            EXPECT_EQ(shown.caption, QStringLiteral("Narrix"));
            EXPECT_EQ(shown.icon, QMessageBox::Warning);
            EXPECT_EQ(shown.openModalDialogs, 2); // the editor and the box
        }
        press(d, Qt::Key_Escape);
    });
    EXPECT_FALSE(result.accepted);
    EXPECT_EQ(messages(), (std::vector<QString>{QStringLiteral("Title cannot be empty."),
                                                QStringLiteral("Title cannot contain ']'."),
                                                QStringLiteral("Address cannot be empty.")}));
    EXPECT_EQ(state.openModalDialogs, 0);
}

TEST_F(ItemEditorTest, DailyDisablesFieldsButReturnsThemAndForeignValuesStillOpen)
{
    ItemEditorValues values = fresh();
    values.title = "T";
    values.address = "x";
    values.day = "4";
    values.date = "17";
    values.month = "9";
    const ItemEditorValues daily = run(values, [](QDialog& d) {
        EXPECT_FALSE(combo(d, "cbWeekday")->isEnabled());
        EXPECT_FALSE(d.findChild<QLineEdit*>(QStringLiteral("edDate"))->isEnabled());
        EXPECT_FALSE(combo(d, "cbMonth")->isEnabled());
        press(d, Qt::Key_Return);
    });
    EXPECT_EQ(daily.day, "4");
    EXPECT_EQ(daily.date, "17");
    EXPECT_EQ(daily.month, "9");

    // Values a list file written elsewhere made unusable: shown as far as they go, correctable.
    values.frequence = "seven";
    values.day = "9";
    values.time = "7h30";
    const ItemEditorValues foreign = run(values, [](QDialog& d) {
        EXPECT_EQ(combo(d, "cbFreq")->currentIndex(), -1);
        EXPECT_EQ(text(d, "edHour"), QStringLiteral("7")); // two characters at most, digits only
        press(d, Qt::Key_Return);
    });
    EXPECT_EQ(foreign.frequence, "-1");
    EXPECT_EQ(foreign.day, "-1");
    EXPECT_EQ(foreign.time, "07:00");
}

TEST_F(ItemEditorTest, TextPickerEmailReaderAndBrowseChangeOnlyWhatTheyConfirm)
{
    ItemEditorValues values = fresh();
    values.title = "T";
    values.address = "http://example.org/";
    values.leadKey = "Top stories";
    values.trailInc = "True";
    prompter.fileNames = {QStringLiteral("/home/u/page.html")};
    const ItemEditorValues result = run(values, [this](QDialog& d) {
        // Text Picker, Cancel: the keywords stay.
        whenModal([](QDialog& picker) {
            EXPECT_EQ(picker.windowTitle(), QStringLiteral("Text Picker"));
            EXPECT_EQ(focusedName(picker), QStringLiteral("edLead"));
            EXPECT_EQ(text(picker, "edLead"), QStringLiteral("Top stories"));
            type(picker, QStringLiteral(" changed"));
            press(picker, Qt::Key_Escape);
        });
        press(d, Qt::Key_T, Qt::ControlModifier);
        // Text Picker, OK: the typed keywords and switches come back.
        whenModal([](QDialog& picker) {
            EXPECT_EQ(text(picker, "edLead"), QStringLiteral("Top stories"));
            press(picker, Qt::Key_Tab);
            press(picker, Qt::Key_Space); // include the leading keyword
            press(picker, Qt::Key_Tab);
            type(picker, QStringLiteral("Sports"));
            press(picker, Qt::Key_Tab);
            press(picker, Qt::Key_Space); // do not include the trailing keyword
            press(picker, Qt::Key_Return);
        });
        press(d, Qt::Key_T, Qt::ControlModifier);

        // Email Reader: Cancel returns the address unchanged, OK the composed mailbox address.
        whenModal([](QDialog& email) { press(email, Qt::Key_Escape); });
        press(d, Qt::Key_E, Qt::ControlModifier);
        EXPECT_EQ(text(d, "edFile"), QStringLiteral("http://example.org/"));
        whenModal([](QDialog& email) {
            EXPECT_EQ(email.windowTitle(), QStringLiteral("Email Reader"));
            type(email, QStringLiteral("me@example.org"));
            press(email, Qt::Key_Return);
        });
        press(d, Qt::Key_E, Qt::ControlModifier);
        EXPECT_EQ(text(d, "edFile"), QStringLiteral("email://me@example.org * 110 * * N"));

        // Browse: the chosen file's path.
        press(d, Qt::Key_O, Qt::ControlModifier);
        EXPECT_EQ(text(d, "edFile"), QStringLiteral("/home/u/page.html"));
        EXPECT_EQ(state.openModalDialogs, 1);
        press(d, Qt::Key_Return);
    });
    EXPECT_TRUE(result.accepted);
    EXPECT_EQ(result.address, "/home/u/page.html");
    EXPECT_EQ(result.leadKey, "Top stories");
    EXPECT_EQ(result.leadInc, "True");
    EXPECT_EQ(result.trailKey, "Sports");
    EXPECT_EQ(result.trailInc, "False");
}

} // namespace
} // namespace narrix
