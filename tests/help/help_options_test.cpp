// The help and options commands plugged into the main window: what they open, the tip of the day and
// the offers of the first activation, and what the options dialog changes.
#include "app/tf_main.h"
#include "help/help_commands.h"
#include "options/options_command.h"

#include "base/error_hook.h"
#include "dialogs/options_dialog.h"
#include "dialogs/tip_of_the_day.h"
#include "dialogs/tips_rotation.h"
#include "fakes/fake_desktop_opener.h"
#include "fakes/fake_main_services.h"
#include "fakes/fake_prompter.h"
#include "support/main_window_harness.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace narrix {
namespace {

using testing::FakeDesktopOpener;
using testing::FakeMainServices;
using testing::FakePrompter;

// Answers message boxes like FakePrompter; a dialog is handed to `onDialog`, which plays the user and
// returns the result it closes with (the dialog's own done() runs, as when the user closes it).
class ScriptedPrompter : public FakePrompter
{
public:
    std::function<int(QDialog&)> onDialog;
    QStringList dialogs;
    bool closeDialogs = true; // false: the dialog's loop ends without the dialog closing (program exit)

    int execDialog(QDialog& dialog) override
    {
        FakePrompter::execDialog(dialog);
        dialogs << dialog.objectName();
        const int result = onDialog ? onDialog(dialog) : int(QDialog::Rejected);
        if (closeDialogs)
            dialog.done(result);
        return result;
    }
};

class HelpOptionsTest : public ::testing::Test, protected testing::MainWindowHarness<ScriptedPrompter>
{
protected:
    FakeDesktopOpener desktop;
    FakeMainServices fake;
    QTemporaryDir dir;
    QStringList errors;
    int announcementResets = 0;
    std::unique_ptr<HelpCommands> help;
    std::unique_ptr<OptionsCommand> options;

    void SetUp() override
    {
        setErrorSinkForTesting([this](const QString& where, const QString& message) {
            errors << where + QStringLiteral(": ") + message;
        });
        ASSERT_TRUE(writeTipsFile(
            shippedTips(),
            {QStringLiteral("True"), QStringLiteral("A"), QStringLiteral("B"), QStringLiteral("C")},
            nullptr));
        help = std::make_unique<HelpCommands>(desktop, store,
                                              files(dir.filePath(QStringLiteral("manual.html"))));
        options = std::make_unique<OptionsCommand>(desktop, [this] { ++announcementResets; });
    }
    void TearDown() override { setErrorSinkForTesting(nullptr); }

    QString shippedTips() const { return dir.filePath(QStringLiteral("shipped-tips.txt")); }
    QString dataTips() const { return dir.filePath(QStringLiteral("Tips.txt")); }
    HelpFiles files(const QString& manual) const { return {dataTips(), shippedTips(), manual}; }

    std::unique_ptr<TfMain> start(const QStringList& arguments = {})
    {
        MainServices services = fake.services();
        services.tips = help.get();
        services.plugins = {help.get(), options.get()};
        auto window = newWindow(services);
        window->FormCreate(arguments);
        return window;
    }

    void storeAll(std::initializer_list<std::pair<const char16_t*, const char16_t*>> values)
    {
        for (const auto& [name, text] : values)
            store.values.insert(QString::fromUtf16(name), QString::fromUtf16(text));
    }

    template <typename T> static T* child(QDialog& dialog, const char* name)
    {
        return dialog.findChild<T*>(QString::fromLatin1(name));
    }
};

TEST_F(HelpOptionsTest, HelpMenuCommandsOpenTheManualOurPagesAndASupportMail)
{
    auto w = start();
    const MainActions& a = w->actions();
    for (QAction* action :
         {a.actHelp, a.HomePage2, a.Support2, a.NewChannels1, a.About2, a.ipoftheDay1, a.actOptions})
        EXPECT_TRUE(action->isEnabled()) << action->objectName().toStdString();
    a.actHelp->trigger();
    a.HomePage2->trigger();
    a.Support2->trigger();
    a.NewChannels1->trigger();
    EXPECT_EQ(desktop.opened, (QStringList{dir.filePath(QStringLiteral("manual.html")),
                                           QStringLiteral("https://narrix.quillmark.net/"),
                                           QStringLiteral("mailto:support@quillmark.net?SUBJECT=Narrix"),
                                           QStringLiteral("https://narrix.quillmark.net/channels/")}));
    a.About2->trigger();
    EXPECT_EQ(prompter.dialogs, QStringList{QStringLiteral("frmAbout")});
    EXPECT_EQ(prompter.dialogOpenModalDialogs, std::vector<int>{1});
}

TEST_F(HelpOptionsTest, AMissingManualOpensNothingAndIsLogged)
{
    help = std::make_unique<HelpCommands>(desktop, store, files(QString()));
    auto w = start();
    w->actions().actHelp->trigger();
    EXPECT_TRUE(desktop.opened.isEmpty());
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(QStringLiteral("manual")));
}

TEST_F(HelpOptionsTest, FirstActivationShowsTheTipThenBothOffers)
{
    auto w = start();
    QString shownTip;
    prompter.onDialog = [&](QDialog& dialog) {
        shownTip = static_cast<TfrmTOD&>(dialog).shownTip();
        return int(QDialog::Accepted);
    };
    prompter.answers = {QMessageBox::Yes, QMessageBox::Yes};
    w->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return prompter.shown.size() == 2; }, 3000));
    EXPECT_EQ(prompter.dialogs, QStringList{QStringLiteral("frmTOD")});
    EXPECT_EQ(shownTip, QStringLiteral("A"));
    // The shipped tips were copied on first use and rotated on closing; ShowTips was written at once.
    EXPECT_EQ(readTipsFile(dataTips()), (QStringList{QStringLiteral("True"), QStringLiteral("B"),
                                                     QStringLiteral("C"), QStringLiteral("A")}));
    EXPECT_EQ(store.values.value(QStringLiteral("ShowTips")), QStringLiteral("True"));
    EXPECT_GE(store.flushes, 1);
    EXPECT_EQ(prompter.shown[0].caption, QStringLiteral("Narrix Update"));
    // Yes to the voices offer opens our voices page.
    EXPECT_EQ(desktop.opened, QStringList{QStringLiteral("https://narrix.quillmark.net/voices/")});
}

TEST_F(HelpOptionsTest, NoTipWhenTipsAreOffOrAFileIsNamedOrTheWindowStartsMinimised)
{
    struct Case
    {
        std::initializer_list<std::pair<const char16_t*, const char16_t*>> values;
        QStringList arguments;
    };
    const Case cases[] = {
        {{{u"ShowTips", u"False"}}, {}},
        {{{u"WindowState", u"Minimize"}}, {}},
        {{{u"StartMinimized", u"True"}}, {}},
        {{}, {QStringLiteral("/no/such/file.txt")}},
    };
    for (const Case& c : cases) {
        store.values.clear();
        storeAll(c.values);
        prompter.dialogs.clear();
        prompter.shown.clear();
        auto w = start(c.arguments);
        w->show();
        w->activateWindow();
        QTest::qWait(50);
        EXPECT_TRUE(prompter.dialogs.isEmpty());
        EXPECT_TRUE(prompter.shown.empty());
    }
    // Not a first run: the tip, but no offers.
    store.values.clear();
    storeAll({{u"FontCharset", u"0"}});
    auto w = start();
    w->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !prompter.dialogs.isEmpty(); }, 3000));
    QTest::qWait(50);
    EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(HelpOptionsTest, ClearingShowTipsWritesFalseAndTheNextStartShowsNoTip)
{
    storeAll({{u"FontCharset", u"0"}});
    auto w = start();
    prompter.onDialog = [](QDialog& dialog) {
        child<QCheckBox>(dialog, "cbShowTips")->setChecked(false);
        return int(QDialog::Rejected);
    };
    w->actions().ipoftheDay1->trigger();
    EXPECT_EQ(store.values.value(QStringLiteral("ShowTips")), QStringLiteral("False"));
    EXPECT_EQ(readTipsFile(dataTips()).first(), QStringLiteral("False"));
    EXPECT_FALSE(w->settings().showTips);
    w.reset();

    prompter.dialogs.clear();
    auto again = start();
    again->show();
    again->activateWindow();
    QTest::qWait(50);
    EXPECT_TRUE(prompter.dialogs.isEmpty());
}

TEST_F(HelpOptionsTest, ATipLeftOpenWhenTheProgramEndsWritesNothing)
{
    storeAll({{u"FontCharset", u"0"}});
    auto w = start();
    prompter.closeDialogs = false;
    w->actions().ipoftheDay1->trigger();
    EXPECT_FALSE(store.values.contains(QStringLiteral("ShowTips")));
    EXPECT_FALSE(QFile::exists(dataTips()) && readTipsFile(dataTips()) != readTipsFile(shippedTips()));
}

TEST_F(HelpOptionsTest, OptionsOkAppliesAtOnceForgetsTheLastAnnouncementAndThemesTheTray)
{
    auto w = start();
    const Settings before = w->settings();
    fake.calls.clear();
    prompter.onDialog = [](QDialog& dialog) {
        child<QRadioButton>(dialog, "rbSent")->setChecked(true);
        child<QRadioButton>(dialog, "rbNever")->setChecked(true);
        child<QLineEdit>(dialog, "edGreet")->clear();
        child<QLineEdit>(dialog, "edProxy")->setText(QStringLiteral("proxy.local"));
        return int(QDialog::Accepted);
    };
    w->actions().actOptions->trigger();
    EXPECT_EQ(prompter.dialogs, QStringList{QStringLiteral("frmOptions")});
    EXPECT_EQ(prompter.dialogOpenModalDialogs, std::vector<int>{1});
    const Settings& after = w->settings();
    EXPECT_EQ(after.realMode, QStringLiteral("Sentence"));
    EXPECT_EQ(after.tellTime, QStringLiteral("Never"));
    EXPECT_EQ(after.greetings, QStringLiteral("<nil>"));
    EXPECT_EQ(after.proxy, QStringLiteral("proxy.local"));
    EXPECT_EQ(after.voice, before.voice);
    EXPECT_EQ(announcementResets, 1);
    EXPECT_EQ(fake.calls, QStringList{QStringLiteral("applyTheme")});

    // Cancel after changing everything changes nothing.
    prompter.onDialog = [](QDialog& dialog) {
        child<QRadioButton>(dialog, "rbWord")->setChecked(true);
        child<QLineEdit>(dialog, "edGreet")->setText(QStringLiteral("Hi"));
        return int(QDialog::Rejected);
    };
    const Settings accepted = w->settings();
    w->actions().actOptions->trigger();
    EXPECT_EQ(w->settings(), accepted);
    EXPECT_EQ(announcementResets, 1);
    EXPECT_EQ(fake.calls.size(), 1);
}

} // namespace
} // namespace narrix
