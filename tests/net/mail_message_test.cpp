#include "net/mail_address.h"
#include "net/mail_message.h"

#include <gtest/gtest.h>

using namespace narrix::net;

TEST(MailAddress, ReadsTheCommonFormsOfASender)
{
    auto a = parseMailAddress("Ann Lee <ann@example.com>");
    EXPECT_EQ(a.name, "Ann Lee");
    EXPECT_EQ(a.address, "ann@example.com");
    auto q = parseMailAddress("\"Lee, Ann \\\"AL\\\"\" <ann@example.com>, bob@example.com");
    EXPECT_EQ(q.name, "Lee, Ann \"AL\"");
    EXPECT_EQ(q.address, "ann@example.com");
    auto bare = parseMailAddress("ann@example.com");
    EXPECT_EQ(bare.name, "");
    EXPECT_EQ(bare.address, "ann@example.com");
    auto comment = parseMailAddress("ann@example.com (Ann Lee)");
    EXPECT_EQ(comment.name, "Ann Lee");
    EXPECT_EQ(comment.address, "ann@example.com");
    auto angle = parseMailAddress("<ann@example.com>");
    EXPECT_EQ(angle.name, "");
    EXPECT_EQ(angle.address, "ann@example.com");
    auto encoded = parseMailAddress("=?ISO-8859-1?Q?Ren=E9?= <rene@example.com>");
    EXPECT_EQ(encoded.name, "Ren\xc3\xa9");
    // Encoded text that decodes to "<" does not confuse the parse.
    auto tricky = parseMailAddress("=?UTF-8?Q?x=3Cevil=3E?= <real@example.com>");
    EXPECT_EQ(tricky.address, "real@example.com");
    EXPECT_EQ(tricky.name, "x<evil>");
}

TEST(MailAddress, WritesTheSenderText)
{
    EXPECT_EQ(senderText({"Ann Lee", "ann@example.com"}), "Ann Lee <ann@example.com>");
    EXPECT_EQ(senderText({"", "ann@example.com"}), "ann@example.com");
    EXPECT_EQ(senderText({"ANN@EXAMPLE.COM", "ann@example.com"}), "ann@example.com");
    EXPECT_EQ(senderText({"ann@example.com", "ann@example.com"}), "\"ann@example.com\" <ann@example.com>");
    EXPECT_EQ(senderText({"Lee, Ann", "a@b"}), "\"Lee, Ann\" <a@b>");
    EXPECT_EQ(senderText({"Say \"hi\" \\o/", "a@b"}), "\"Say \\\"hi\\\" \\\\o/\" <a@b>");
    EXPECT_EQ(senderText({"O'Neil & Co {x}", "a@b"}), "O'Neil & Co {x} <a@b>");
    EXPECT_EQ(senderText({"Ren\xc3\xa9", "a@b"}), "Ren\xc3\xa9 <a@b>");
}

namespace {

const char* const kPlain = "From: Ann Lee <ann@example.com>\r\n"
                           "Subject: =?ISO-8859-1?Q?Caf=E9?=\r\n"
                           " today\r\n"
                           "Content-Type: text/plain; charset=iso-8859-1\r\n"
                           "Content-Transfer-Encoding: quoted-printable\r\n"
                           "\r\n"
                           "Caf=E9 at noon.\r\n"
                           "Soft=\r\n"
                           " break.\r\n";

const char* const kNested =
    "From: \"Lee, Ann\" <ann@example.com>\r\n"
    "Subject: =?UTF-8?B?R3LDvMOfZQ==?=\r\n"
    "MIME-Version: 1.0\r\n"
    "Content-Type: multipart/mixed; boundary=\"outer\"\r\n"
    "\r\n"
    "Preamble is ignored.\r\n"
    "--outer\r\n"
    "Content-Type: multipart/alternative; boundary=inner\r\n"
    "\r\n"
    "--inner\r\n"
    "Content-Type: text/plain; charset=utf-8\r\n"
    "Content-Transfer-Encoding: base64\r\n"
    "\r\n"
    "SGVsbG8gw6l0w6kKc2Vjb25kIGxpbmU=\r\n"
    "--inner\r\n"
    "Content-Type: text/html; charset=windows-1252\r\n"
    "\r\n"
    "<p>\x80 5</p>\r\n"
    "--inner--\r\n"
    "--outer\r\n"
    "Content-Type: application/pdf; name=\"a.pdf\"\r\n"
    "Content-Disposition: attachment; filename=\"=?UTF-8?Q?r=C3=A9sum=C3=A9.pdf?=\"\r\n"
    "Content-Transfer-Encoding: base64\r\n"
    "\r\n"
    "JVBERi0=\r\n"
    "--outer\r\n"
    "Content-Type: text/plain\r\n"
    "Content-Disposition: attachment; filename=notes.txt\r\n"
    "\r\n"
    "attached text\r\n"
    "--outer--\r\n"
    "Epilogue is ignored.\r\n";

} // namespace

TEST(MailMessage, ReadsAPlainMessageIntoTheBody)
{
    MailMessage m;
    m.readMessage(kPlain);
    EXPECT_EQ(m.subject(), "Caf\xc3\xa9 today");
    EXPECT_EQ(m.senderText(), "Ann Lee <ann@example.com>");
    EXPECT_EQ(m.partCount(), 0u);
    ASSERT_EQ(m.body().size(), 2u);
    EXPECT_EQ(m.body()[0], "Caf\xc3\xa9 at noon.");
    EXPECT_EQ(m.body()[1], "Soft break.");
}

TEST(MailMessage, ReadsNestedMultipartsInOrderAsIfFlat)
{
    MailMessage m;
    m.readMessage(kNested);
    EXPECT_EQ(m.subject(), "Gr\xc3\xbc\xc3\x9f"
                           "e");
    EXPECT_EQ(m.senderText(), "\"Lee, Ann\" <ann@example.com>");
    EXPECT_TRUE(m.body().empty());
    ASSERT_EQ(m.partCount(), 4u);
    ASSERT_TRUE(m.isTextPart(0));
    EXPECT_EQ(m.part(0).contentType, "text/plain");
    EXPECT_EQ(m.part(0).transferEncoding, "base64");
    EXPECT_EQ(m.partLines(0), (std::vector<std::string>{"Hello \xc3\xa9t\xc3\xa9", "second line"}));
    ASSERT_TRUE(m.isTextPart(1));
    EXPECT_EQ(m.partLines(1), (std::vector<std::string>{"<p>\xe2\x82\xac 5</p>"}));
    EXPECT_FALSE(m.isTextPart(2));
    EXPECT_EQ(m.part(2).fileName, "r\xc3\xa9sum\xc3\xa9.pdf");
    EXPECT_FALSE(m.isTextPart(3)) << "a text file sent as an attachment is an attachment";
    EXPECT_FALSE(m.isTextPart(4));
}

TEST(MailMessage, HeaderOnlyReadsAndClear)
{
    MailMessage m;
    m.readHeader("Subject: Lunch\r\nFrom: bob@example.com\r\nX-Other: 1\r\n");
    EXPECT_EQ(m.subject(), "Lunch");
    EXPECT_EQ(m.senderText(), "bob@example.com");
    EXPECT_EQ(m.field("x-other"), "1");
    m.Clear();
    EXPECT_EQ(m.subject(), "");
    EXPECT_EQ(m.senderText(), "");
    EXPECT_EQ(m.contentType(), "text/plain");
    EXPECT_TRUE(m.fields().empty());
}

TEST(MailMessage, SurvivesBrokenStructure)
{
    MailMessage m;
    // No closing boundary: the last part is kept as far as it goes.
    m.readMessage("Content-Type: multipart/mixed; boundary=b\r\n\r\n--b\r\n\r\nfirst\r\n--b\r\n\r\nlast");
    ASSERT_EQ(m.partCount(), 2u);
    EXPECT_EQ(m.partLines(0), std::vector<std::string>{"first"});
    EXPECT_EQ(m.partLines(1), std::vector<std::string>{"last"});
    // Multipart without a boundary reads as a plain body.
    m.readMessage("Content-Type: multipart/mixed\r\n\r\nline");
    EXPECT_EQ(m.partCount(), 0u);
    EXPECT_EQ(m.body(), std::vector<std::string>{"line"});
    // A boundary text inside a line is not a boundary.
    m.readMessage("Content-Type: multipart/mixed; boundary=b\r\n\r\n--b\r\n\r\nx --b\r\n--bX\r\n--b--");
    ASSERT_EQ(m.partCount(), 1u);
    EXPECT_EQ(m.partLines(0), (std::vector<std::string>{"x --b", "--bX"}));
    // Deep nesting stops at a limit instead of exhausting the stack.
    std::string deep;
    for (int i = 0; i < 100; ++i)
        deep += "Content-Type: multipart/mixed; boundary=b" + std::to_string(i) + "\r\n\r\n--b" +
                std::to_string(i) + "\r\n";
    m.readMessage(deep);
    EXPECT_EQ(m.partCount(), 1u);
    EXPECT_FALSE(m.isTextPart(0));
}
