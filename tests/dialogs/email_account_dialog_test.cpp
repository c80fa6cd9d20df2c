// The e-mail account dialog: the mailbox address read into the boxes and composed from them.
#include "app/program_state.h"
#include "dialogs/email_account_dialog.h"
#include "fakes/fake_prompter.h"
#include "plugin/modal_dialog_host.h"
#include "support/modal_driver.h"

#include <QCheckBox>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace narrix {
namespace {

using testing::press;
using testing::type;
using testing::whenModal;

TEST(MailboxForm, ReadsTheBoxesFromAnAddress)
{
    struct Case
    {
        const char* address;
        MailboxForm form;
    };
    for (const Case& c : {
             Case{"EMAIL://a b 110 c d Y", {"a", "b", "110", "c", "d", true}},
             Case{"email://* * * * * N", {"", "", "110", "", "", false}},
             Case{"eMail://  me pop.example.org 995 me secret y  ",
                  {"me", "pop.example.org", "995", "me", "secret", false}},
             Case{"http://example.org/page.html", {}},
             Case{"", {}},
             Case{"C:\\My Texts\\paper.htm", {"C:\\My", "", "110", "", "", false}},
             Case{"email://a b  c", {"a", "b", "110", "", "", false}}, // an empty port field shows 110
             Case{"email://a b 110 c d Y extra", {"a", "b", "110", "c", "d", false}},
         }) {
        EXPECT_EQ(parseMailboxForm(c.address), c.form) << c.address;
    }
}

TEST(MailboxForm, ComposesWithStarsForEmptyBoxesAndFindsInnerBlanks)
{
    EXPECT_EQ(composeMailboxAddress({"a", "b", "110", "c", "d", true}), "email://a b 110 c d Y");
    EXPECT_EQ(composeMailboxAddress({"", " ", "", "u", "", false}), "email://* * * u * N");
    EXPECT_EQ(composeMailboxAddress({" a ", "b", "110", "c", "d", false}), "email://a b 110 c d N");
    EXPECT_EQ(boxWithInnerBlank({" a ", "b", "110", "c", "d", false}), -1);
    EXPECT_EQ(boxWithInnerBlank({"a", "b", "110", "c", "my pass", false}), 4);
    EXPECT_EQ(boxWithInnerBlank({"a", "pop example", "110", "c", "d", false}), 1);
    // What is composed reads back as the same boxes.
    const MailboxForm form{"me@example.org", "pop.example.org", "110", "me", "s3cret", true};
    EXPECT_EQ(parseMailboxForm(composeMailboxAddress(form)), form);
}

class EmailDialogTest : public ::testing::Test
{
protected:
    ProgramState state;
    testing::FakePrompter prompter;
    ModalDialogs modal{state.openModalDialogs, prompter, nullptr};
    ModalDialogHost dialogs{modal};
    void SetUp() override { prompter.runDialogs = true; }

    QString run(const QString& address, std::function<void(QDialog&)> steps)
    {
        whenModal(std::move(steps));
        return TfrmEmail::run(dialogs, nullptr, address);
    }
    static QLineEdit* box(QDialog& d, const char* name)
    {
        return d.findChild<QLineEdit*>(QLatin1String(name));
    }
};

TEST_F(EmailDialogTest, OkComposesTheAddressAndCancelReturnsItUnchanged)
{
    EXPECT_EQ(run(QStringLiteral("EMAIL://a b 110 c d Y"),
                  [](QDialog& d) {
                      EXPECT_EQ(d.windowTitle(), QStringLiteral("Email Reader"));
                      EXPECT_EQ(box(d, "edMail")->text(), QStringLiteral("a"));
                      EXPECT_EQ(box(d, "edPass")->echoMode(), QLineEdit::Password);
                      EXPECT_TRUE(d.findChild<QCheckBox*>(QStringLiteral("cbBody"))->isChecked());
                      press(d, Qt::Key_Return);
                  }),
              QStringLiteral("email://a b 110 c d Y"));

    // Clearing the port writes "*" for it, and the user sees the stars appear.
    EXPECT_EQ(run(QStringLiteral("email://a b 110 c d N"),
                  [](QDialog& d) {
                      press(d, Qt::Key_Tab);
                      press(d, Qt::Key_Tab);
                      press(d, Qt::Key_Delete);
                      EXPECT_EQ(box(d, "edPort")->text(), QString());
                      press(d, Qt::Key_Return);
                  }),
              QStringLiteral("email://a b * c d N"));

    // A web address opens an empty form; Esc returns the text as it came.
    EXPECT_EQ(run(QStringLiteral("http://example.org/ x"),
                  [](QDialog& d) {
                      EXPECT_EQ(box(d, "edPort")->text(), QStringLiteral("110"));
                      type(d, QStringLiteral("changed"));
                      press(d, Qt::Key_Escape);
                  }),
              QStringLiteral("http://example.org/ x"));

    // Keyboard only: every box typed, the switch set with its access key.
    EXPECT_EQ(run(QString(),
                  [](QDialog& d) {
                      type(d, QStringLiteral("me@example.org"));
                      press(d, Qt::Key_Tab);
                      type(d, QStringLiteral("pop.example.org"));
                      press(d, Qt::Key_Tab);
                      press(d, Qt::Key_Tab);
                      type(d, QStringLiteral("me"));
                      press(d, Qt::Key_Tab);
                      type(d, QStringLiteral("pw"));
                      press(d, Qt::Key_B, Qt::AltModifier);
                      // An access key clicks its button after the button's short pressed-down look.
                      auto* body = d.findChild<QCheckBox*>(QStringLiteral("cbBody"));
                      EXPECT_TRUE(QTest::qWaitFor([body] { return body->isChecked(); }));
                      press(d, Qt::Key_Return);
                  }),
              QStringLiteral("email://me@example.org pop.example.org 110 me pw Y"));
}

TEST_F(EmailDialogTest, ABlankInsideABoxIsRefusedNamingTheBox)
{
    const QString result = run(QStringLiteral("email://a b 110 c d N"), [this](QDialog& d) {
        QLineEdit* password = box(d, "edPass");
        password->setFocus();
        password->selectAll();
        type(d, QStringLiteral("my secret"));
        press(d, Qt::Key_Return);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.focusWidget(), password);
        ASSERT_EQ(prompter.shown.size(), 1u);
        EXPECT_EQ(prompter.shown[0].text, QStringLiteral("Password cannot contain blanks."));
        password->selectAll();
        type(d, QStringLiteral("  secret "));
        press(d, Qt::Key_Return);
    });
    EXPECT_EQ(result, QStringLiteral("email://a b 110 c secret N"));
}

} // namespace
} // namespace narrix
