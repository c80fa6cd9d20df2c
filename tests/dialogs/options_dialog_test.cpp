// The options dialog driven by keyboard: access keys, Tab, typing, Enter and Esc.
#include "dialogs/link_labels.h"
#include "dialogs/options_dialog.h"

#include "fakes/fake_desktop_opener.h"
#include "fakes/fake_prompter.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <gtest/gtest.h>

namespace narrix {
namespace {

using testing::FakeDesktopOpener;
using testing::FakePrompter;

OptionsValues sample()
{
    OptionsValues v;
    v.realMode = QStringLiteral("Word");
    v.realCustom = QStringLiteral("  hello   there ");
    v.tellTime = QStringLiteral("Halfhourly");
    v.dateStyle = QStringLiteral("Today is #.");
    v.timeStyle = QStringLiteral("It's # now.");
    v.hourFormat = QStringLiteral("24");
    v.theme = 2;
    v.normalIcon = QStringLiteral("/icons/a.ico");
    v.proxy = QStringLiteral("proxy.local");
    v.port = QStringLiteral("8080");
    v.greetings = QStringLiteral("<nil>");
    v.startMinimized = true;
    return v;
}

class OptionsDialogTest : public ::testing::Test
{
protected:
    FakePrompter prompter;
    FakeDesktopOpener desktop;

    std::unique_ptr<TfrmOptions> open(const OptionsValues& values = sample())
    {
        auto dialog = std::make_unique<TfrmOptions>(values, prompter, desktop);
        dialog->show();
        dialog->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        return dialog;
    }
    template <typename T> static T* child(QWidget& dialog, const char* name)
    {
        T* found = dialog.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static void key(QWidget& dialog, Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : &dialog, k, m);
    }
    // An access key: a button it reaches clicks itself a moment later, as a click the user can see.
    static void mnemonic(QWidget& dialog, Qt::Key k)
    {
        key(dialog, k, Qt::AltModifier);
        const auto buttons = dialog.findChildren<QAbstractButton*>();
        const auto anyDown = [&buttons] {
            return std::any_of(buttons.begin(), buttons.end(),
                               [](QAbstractButton* b) { return b->isDown(); });
        };
        EXPECT_TRUE(QTest::qWaitFor([&] { return !anyDown(); }, 2000));
    }
    static void showTab(QWidget& dialog, int index)
    {
        auto* pages = child<QTabWidget>(dialog, "PageControl1");
        while (pages->currentIndex() != index)
            key(dialog, Qt::Key_Tab, Qt::ControlModifier);
    }
};

TEST_F(OptionsDialogTest, ReadsEveryValueAndOkWithoutChangesGivesThemBack)
{
    auto d = open();
    EXPECT_TRUE(child<QRadioButton>(*d, "rbWord")->isChecked());
    EXPECT_EQ(child<QListWidget>(*d, "ListBox1")->count(), 2);
    EXPECT_TRUE(child<QRadioButton>(*d, "rbHalfHour")->isChecked());
    EXPECT_TRUE(child<QCheckBox>(*d, "cbHour")->isChecked());
    EXPECT_EQ(child<QComboBox>(*d, "cbTheme")->currentText(), QStringLiteral("Funny"));
    EXPECT_EQ(child<QLineEdit>(*d, "edGreet")->text(), QString());
    EXPECT_EQ(d->windowTitle(), QStringLiteral("Options"));
    key(*d, Qt::Key_Return);
    EXPECT_EQ(d->result(), QDialog::Accepted);
    OptionsValues expected = sample();
    expected.realCustom = QStringLiteral("hello there");
    EXPECT_EQ(d->values(), expected);
}

TEST_F(OptionsDialogTest, UnknownModesPickTheLastChoice)
{
    OptionsValues v = sample();
    v.realMode = QStringLiteral("word");
    v.tellTime = QStringLiteral("hourly");
    v.theme = 42;
    auto d = open(v);
    EXPECT_TRUE(child<QRadioButton>(*d, "rbCustom")->isChecked());
    EXPECT_TRUE(child<QRadioButton>(*d, "rbNever")->isChecked());
    EXPECT_EQ(d->values().realMode, QStringLiteral("Custom"));
    EXPECT_EQ(d->values().tellTime, QStringLiteral("Never"));
}

TEST_F(OptionsDialogTest, KeywordListAddsRemovesAndEnablesByMode)
{
    auto d = open();
    auto* list = child<QListWidget>(*d, "ListBox1");
    auto* add = child<QPushButton>(*d, "Button3");
    auto* remove = child<QPushButton>(*d, "Button4");
    // Word mode: the list and both buttons are off.
    EXPECT_FALSE(list->isEnabled());
    EXPECT_FALSE(add->isEnabled());
    EXPECT_FALSE(remove->isEnabled());

    mnemonic(*d, Qt::Key_K); // "Speak when one of these &keywords is typed:"
    EXPECT_TRUE(child<QRadioButton>(*d, "rbCustom")->isChecked());
    EXPECT_TRUE(list->isEnabled());
    EXPECT_TRUE(add->isEnabled());
    EXPECT_FALSE(remove->isEnabled()); // nothing selected yet

    prompter.inputs = {QStringLiteral("  good   bye "), QStringLiteral("Hello"), QStringLiteral("hello"),
                       QStringLiteral("   "), std::nullopt};
    for (int i = 0; i < 5; ++i)
        mnemonic(*d, Qt::Key_A);
    ASSERT_EQ(prompter.inputCaptions.size(), 5);
    EXPECT_EQ(prompter.inputCaptions[0], QStringLiteral("Add New Word|Enter new word below:"));
    QStringList words;
    for (int row = 0; row < list->count(); ++row)
        words << list->item(row)->text();
    EXPECT_EQ(words, (QStringList{QStringLiteral("hello"), QStringLiteral("there"), QStringLiteral("goodbye"),
                                  QStringLiteral("Hello")}));

    list->setFocus();
    key(*d, Qt::Key_Down);
    EXPECT_TRUE(remove->isEnabled());
    mnemonic(*d, Qt::Key_M); // "Re&move"
    EXPECT_EQ(list->count(), 3);
    EXPECT_FALSE(remove->isEnabled());

    // Back to sentence mode: everything off again.
    mnemonic(*d, Qt::Key_S);
    EXPECT_FALSE(list->isEnabled());
    EXPECT_FALSE(add->isEnabled());
}

TEST_F(OptionsDialogTest, AnEmptiedKeywordListIsStoredAsOneBlank)
{
    OptionsValues v = sample();
    v.realMode = QStringLiteral("Custom");
    v.realCustom = QStringLiteral("only");
    auto d = open(v);
    auto* list = child<QListWidget>(*d, "ListBox1");
    list->setFocus();
    key(*d, Qt::Key_Down);
    mnemonic(*d, Qt::Key_M);
    EXPECT_EQ(list->count(), 0);
    key(*d, Qt::Key_Return);
    EXPECT_EQ(d->values().realCustom, QStringLiteral(" "));
    EXPECT_TRUE(splitKeywords(d->values().realCustom).isEmpty());
}

TEST_F(OptionsDialogTest, PortKeepsDigitsAndAnEmptyGreetingIsNil)
{
    OptionsValues v = sample();
    v.greetings = QStringLiteral("Good day");
    auto d = open(v);
    showTab(*d, 3);
    EXPECT_EQ(child<QLineEdit>(*d, "edGreet")->text(), QStringLiteral("Good day"));
    mnemonic(*d, Qt::Key_O); // "P&ort:"
    key(*d, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("8a0b"));
    EXPECT_EQ(child<QLineEdit>(*d, "edPort")->text(), QStringLiteral("80"));
    mnemonic(*d, Qt::Key_G); // "&Greetings when Narrix is started:"
    key(*d, Qt::Key_A, Qt::ControlModifier);
    key(*d, Qt::Key_Delete);
    mnemonic(*d, Qt::Key_M); // "Start &minimized" toggles off
    key(*d, Qt::Key_Return);
    EXPECT_EQ(d->result(), QDialog::Accepted);
    EXPECT_EQ(d->values().port, QStringLiteral("80"));
    EXPECT_EQ(d->values().greetings, QStringLiteral("<nil>"));
    EXPECT_FALSE(d->values().startMinimized);
}

TEST_F(OptionsDialogTest, UserDefinedThemeEnablesTheBrowseButtonsAndShowsThePreviews)
{
    QTemporaryDir dir;
    QPixmap picture(16, 16);
    picture.fill(Qt::red);
    const QString png = dir.filePath(QStringLiteral("open.png"));
    ASSERT_TRUE(picture.save(png));

    auto d = open();
    showTab(*d, 2);
    auto* browse2 = child<QPushButton>(*d, "Button6");
    auto* preview2 = child<QLabel>(*d, "imgIcon2");
    EXPECT_FALSE(browse2->isEnabled());
    EXPECT_FALSE(preview2->isVisible());
    mnemonic(*d, Qt::Key_T); // "&Theme:"
    key(*d, Qt::Key_End);
    EXPECT_EQ(child<QComboBox>(*d, "cbTheme")->currentText(), QStringLiteral("User-Defined"));
    EXPECT_TRUE(browse2->isEnabled());
    EXPECT_TRUE(preview2->isVisible());

    prompter.fileNames = {png};
    mnemonic(*d, Qt::Key_R); // "B&rowse icon #2..."
    EXPECT_FALSE(preview2->pixmap().isNull());
    prompter.fileNames = {QString()}; // a cancelled file dialog keeps the path
    mnemonic(*d, Qt::Key_B);
    mnemonic(*d, Qt::Key_T);
    key(*d, Qt::Key_Home);
    EXPECT_FALSE(browse2->isEnabled());
    key(*d, Qt::Key_End);
    key(*d, Qt::Key_Return);
    const OptionsValues v = d->values();
    EXPECT_EQ(v.theme, kUserDefinedTheme);
    EXPECT_EQ(v.normalIcon, QStringLiteral("/icons/a.ico"));
    EXPECT_EQ(v.openIcon, png);
    EXPECT_EQ(v.closeIcon, QString());
}

TEST_F(OptionsDialogTest, PageKeysTurnThePagesEvenFromTheThemeList)
{
    auto d = open();
    auto* pages = child<QTabWidget>(*d, "PageControl1");
    showTab(*d, 2);
    mnemonic(*d, Qt::Key_T); // the theme list has the focus
    key(*d, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(pages->currentIndex(), 3);
    key(*d, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(pages->currentIndex(), 0);
    key(*d, Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(pages->currentIndex(), 3);
    EXPECT_EQ(child<QComboBox>(*d, "cbTheme")->currentIndex(), 2);
}

TEST_F(OptionsDialogTest, EscCancelsAndTheThemesLinkOpensOurPage)
{
    auto d = open();
    showTab(*d, 2);
    auto* link = child<QLabel>(*d, "lnkThemes");
    EXPECT_EQ(link->toolTip(), QStringLiteral("Check out the newest themes and download them!"));
    // On its text: the rest of the row does not react.
    auto* hotLink = qobject_cast<TQMLabel*>(link);
    ASSERT_NE(hotLink, nullptr);
    QTest::mouseClick(link, Qt::LeftButton, Qt::NoModifier, QPoint(link->width() - 2, link->height() / 2));
    EXPECT_TRUE(desktop.opened.isEmpty());
    QTest::mouseClick(link, Qt::LeftButton, Qt::NoModifier, hotLink->activeArea().center());
    ASSERT_EQ(desktop.opened.size(), 1);
    EXPECT_TRUE(desktop.opened[0].endsWith(QStringLiteral("/themes/")));
    key(*d, Qt::Key_Escape);
    EXPECT_EQ(d->result(), QDialog::Rejected);
    EXPECT_FALSE(d->isVisible());
}

} // namespace
} // namespace narrix
