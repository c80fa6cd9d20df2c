// The password box of the real prompter, answered with the keyboard alone: the typed text comes back
// but is never shown; Esc cancels.
#include "ui/prompter.h"

#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace narrix {
namespace {

// Types `keys` into the password box once it is up, then presses `finish`.
void answerWithKeys(const QString& keys, Qt::Key finish, QLineEdit::EchoMode* echo)
{
    QTimer::singleShot(0, qApp, [=] {
        auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        auto* edit = box->findChild<QLineEdit*>();
        ASSERT_NE(edit, nullptr);
        *echo = edit->echoMode();
        QTest::keyClicks(edit, keys);
        QTest::keyClick(edit, finish);
    });
}

TEST(PasswordBox, TypedHiddenAndReturnedOrCancelled)
{
    WidgetPrompter prompter;
    const struct
    {
        Qt::Key finish;
        std::optional<QString> answer;
    } cases[] = {{Qt::Key_Return, QStringLiteral("s3cret pw")}, {Qt::Key_Escape, std::nullopt}};
    for (const auto& c : cases) {
        QLineEdit::EchoMode echo = QLineEdit::Normal;
        answerWithKeys(QStringLiteral("s3cret pw"), c.finish, &echo);
        EXPECT_EQ(prompter.inputPassword(nullptr, QStringLiteral("Narrix"), QStringLiteral("Password:")),
                  c.answer);
        EXPECT_EQ(echo, QLineEdit::Password);
    }
}

} // namespace
} // namespace narrix
