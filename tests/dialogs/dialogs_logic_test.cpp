// The rules of the dialogs without widgets: mail links, the keyword list, the port and greeting boxes,
// the tips rotation and its file.
#include "dialogs/mail_link.h"
#include "dialogs/options_values.h"
#include "dialogs/tips_rotation.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace narrix {
namespace {

TEST(MailLink, FieldsInSubjectBccCcOrderWithOneQuestionMark)
{
    const QString to = QStringLiteral("support@quillmark.net");
    const QString s = QStringLiteral("Narrix");
    const QString c = QStringLiteral("cc@x.org");
    const QString b = QStringLiteral("bcc@x.org");
    struct Case
    {
        QString cc, bcc, subject, expected;
    };
    const Case cases[] = {
        {{}, {}, {}, QStringLiteral("mailto:support@quillmark.net")},
        {{}, {}, s, QStringLiteral("mailto:support@quillmark.net?SUBJECT=Narrix")},
        {c, {}, s, QStringLiteral("mailto:support@quillmark.net?SUBJECT=Narrix&CC=cc@x.org")},
        {{}, b, s, QStringLiteral("mailto:support@quillmark.net?SUBJECT=Narrix&BCC=bcc@x.org")},
        {c, b, {}, QStringLiteral("mailto:support@quillmark.net?BCC=bcc@x.org&CC=cc@x.org")},
        {c, {}, {}, QStringLiteral("mailto:support@quillmark.net?CC=cc@x.org")},
        {c, b, s, QStringLiteral("mailto:support@quillmark.net?SUBJECT=Narrix&BCC=bcc@x.org&CC=cc@x.org")},
    };
    for (const Case& k : cases)
        EXPECT_EQ(composeMailLink(to, k.cc, k.bcc, k.subject), k.expected) << k.expected.toStdString();
}

TEST(MailLink, LongLinksAreNotCut)
{
    const QString subject(200, QLatin1Char('s'));
    const QString link = composeMailLink(QStringLiteral("a@b.c"), {}, {}, subject);
    EXPECT_EQ(link.size(), 7 + 5 + 9 + 200);
    EXPECT_TRUE(link.endsWith(subject));
}

TEST(Keywords, SplitJoinAndAddFollowTheBlankRules)
{
    EXPECT_EQ(splitKeywords(QStringLiteral("  one   two\tthree  ")),
              (QStringList{QStringLiteral("one"), QStringLiteral("two"), QStringLiteral("three")}));
    EXPECT_TRUE(splitKeywords(QStringLiteral(" ")).isEmpty());
    EXPECT_TRUE(splitKeywords(QString()).isEmpty());
    EXPECT_EQ(splitKeywords(QStringLiteral(", ; . ? \" : ! '")).size(), 8);
    EXPECT_EQ(joinKeywords({}), QStringLiteral(" "));
    EXPECT_EQ(joinKeywords({QStringLiteral("a"), QStringLiteral("b")}), QStringLiteral("a b"));

    const QStringList list{QStringLiteral("hello")};
    struct Case
    {
        const char* answer;
        std::optional<QString> added;
    };
    const Case cases[] = {
        {"  hello world ", QStringLiteral("helloworld")},
        {"Hello", QStringLiteral("Hello")},
        {"hello", std::nullopt},
        {" he llo ", std::nullopt},
        {"   ", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& k : cases)
        EXPECT_EQ(keywordToAdd(QString::fromUtf8(k.answer), list), k.added) << k.answer;
}

TEST(OptionsBoxes, PortKeepsDigitsAndGreetingMapsNil)
{
    EXPECT_EQ(digitsOnly(QStringLiteral("8a0b")), QStringLiteral("80"));
    EXPECT_EQ(digitsOnly(QStringLiteral("x")), QString());
    EXPECT_EQ(digitsOnly(QStringLiteral("８0")), QStringLiteral("0")); // only ASCII digits count
    EXPECT_EQ(greetingForBox(QStringLiteral("<nil>")), QString());
    EXPECT_EQ(greetingForBox(QStringLiteral("Hi")), QStringLiteral("Hi"));
    EXPECT_EQ(greetingFromBox(QString()), QStringLiteral("<nil>"));
    EXPECT_EQ(greetingFromBox(QStringLiteral("Hi")), QStringLiteral("Hi"));
}

QStringList lines(std::initializer_list<const char*> texts)
{
    QStringList out;
    for (const char* t : texts)
        out << QString::fromUtf8(t);
    return out;
}

TEST(TipsRotation, EachOpeningShowsTheTipAfterTheLastShown)
{
    TipsRotation tips(lines({"True", "A", "B", "C"}));
    EXPECT_TRUE(tips.showAtStartup());
    EXPECT_EQ(tips.currentTip(), QStringLiteral("A"));
    tips.next();
    EXPECT_EQ(tips.currentTip(), QStringLiteral("B"));
    const QStringList saved = tips.closedLines(true);
    EXPECT_EQ(saved, lines({"True", "C", "A", "B"}));
    TipsRotation again(saved);
    EXPECT_EQ(again.currentTip(), QStringLiteral("C"));
    EXPECT_EQ(again.closedLines(false), lines({"False", "A", "B", "C"}));
}

TEST(TipsRotation, MissingOrOneLineFilesShowNoTipAndKeepTheirLines)
{
    TipsRotation none({});
    EXPECT_FALSE(none.hasTips());
    EXPECT_EQ(none.currentTip(), QString());
    EXPECT_FALSE(none.showAtStartup());
    none.next();
    EXPECT_TRUE(none.closedLines(true).isEmpty());

    TipsRotation one(lines({"True"}));
    EXPECT_EQ(one.currentTip(), QString());
    one.next();
    EXPECT_EQ(one.closedLines(false), lines({"False"}));

    // Only "True" ticks the box.
    EXPECT_FALSE(TipsRotation(lines({"true", "A"})).showAtStartup());
}

TEST(TipsFile, ReadsEitherLineEndAndCopiesTheShippedTipsOnFirstUse)
{
    QTemporaryDir dir;
    const QString shipped = dir.filePath(QStringLiteral("shipped.txt"));
    QFile file(shipped);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("True\r\nFirst tip\nSecond tip\r\n\r\n\n");
    file.close();
    EXPECT_EQ(readTipsFile(shipped), lines({"True", "First tip", "Second tip"}));
    EXPECT_TRUE(readTipsFile(dir.filePath(QStringLiteral("missing.txt"))).isEmpty());

    const QString data = dir.filePath(QStringLiteral("Tips.txt"));
    EXPECT_EQ(prepareTipsFile(data, shipped), data);
    EXPECT_EQ(readTipsFile(data), lines({"True", "First tip", "Second tip"}));
    ASSERT_TRUE(writeTipsFile(data, lines({"False", "Mine"}), nullptr));
    prepareTipsFile(data, shipped); // an existing file is the user's: never replaced
    EXPECT_EQ(readTipsFile(data), lines({"False", "Mine"}));
    QFile written(data);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), QByteArray("False\r\nMine\r\n"));

    // Nothing shipped: nothing is created.
    const QString other = dir.filePath(QStringLiteral("other/Tips.txt"));
    prepareTipsFile(other, dir.filePath(QStringLiteral("none.txt")));
    EXPECT_FALSE(QFile::exists(other));
    QString error;
    EXPECT_FALSE(writeTipsFile(other, lines({"True"}), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(TipsFile, TheShippedTipsAreManyAndStartTicked)
{
    const QStringList shipped =
        readTipsFile(qEnvironmentVariable("NARRIX_SOURCE_DIR") + QStringLiteral("/data/Tips.txt"));
    ASSERT_GE(shipped.size(), 31);
    EXPECT_EQ(shipped.first(), QStringLiteral("True"));
    for (const QString& tip : shipped.mid(1))
        EXPECT_FALSE(tip.trimmed().isEmpty());
    EXPECT_EQ(shipped.mid(1).removeDuplicates(), 0);
    // The tip of the first start says that typing and copying are spoken, and where to turn them off.
    const QString first = shipped.at(1);
    for (const char* words : {"type", "copy", "Real-Time Speech", "Clipboard Speech", "Tools menu"})
        EXPECT_TRUE(first.contains(QLatin1String(words))) << words;
}

TEST(DesktopWideKey, NeedsCtrlAltOrTheLogoKeyExceptFunctionAndMediaKeys)
{
    const struct
    {
        QKeyCombination keys;
        bool usable;
    } cases[] = {
        {Qt::CTRL | Qt::ALT | Qt::Key_R, true},
        {Qt::META | Qt::Key_Space, true},
        {Qt::ALT | Qt::Key_F4, true},
        {QKeyCombination(Qt::Key_F9), true},
        {QKeyCombination(Qt::Key_MediaTogglePlayPause), true},
        {QKeyCombination(Qt::Key_MediaStop), true},
        {QKeyCombination(Qt::Key_R), false},
        {Qt::SHIFT | Qt::Key_R, false}, // would take capitals from every program
        {QKeyCombination(Qt::Key_Escape), false},
        {Qt::CTRL | Qt::Key_Control, false}, // a modifier alone
        {Qt::CTRL | Qt::Key_unknown, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isDesktopWideKey(c.keys), c.usable) << c.keys.toCombined();
}

} // namespace
} // namespace narrix
