// Channel retrieval and e-mail reading against the suite's loopback servers (the HTTP test server,
// dovecot and a POP3 server that stops halfway through a message).
#include "fakes/recording_channel_host.h"
#include "net/http_client.h"
#include "net/net_test_support.h"
#include "net/pop3_client.h"
#include "schedule/channel_retriever.h"
#include "schedule/mail_reader.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

using namespace narrix;
using namespace narrix::net::testing;
using namespace std::chrono_literals;

namespace {

// Converted text of tests/net/pages/news.html.
constexpr std::string_view kNewsText =
    "News Top stories Rain today. Sports and the Top stories again. Weather";

struct Channels
{
    TransferFlags transfers;
    narrix::testing::RecordingChannelHost host;
    net::HttpClient http;
    net::Pop3Client pop3;
    MailReader mail{host, transfers, pop3};
    ChannelRetriever retriever{host, transfers, http, mail};

    Channels() { pop3.setExtraCaCertificates(testCa()); }

    void run(const std::string& address, ChannelCut cut = {}, const std::string& title = "News")
    {
        retriever.retrieve({title, address, std::move(cut)});
        EXPECT_FALSE(transfers.busy());
        EXPECT_FALSE(host.busyPointer);
    }
    std::string lastSpoken() const
    {
        return host.spoken.empty() ? std::string("<nothing>") : host.spoken.back().text;
    }
};

std::string mailbox(const std::string& user, const std::string& flag, const std::string& password = "secret",
                    int port = kPop3Port, const std::string& server = "127.0.0.1")
{
    return "EMAIL://" + user + "@example.com " + server + " " + std::to_string(port) + " " + user + " " +
           password + " " + flag;
}

} // namespace

TEST(ChannelRetrieval, WebPageCutWithEveryIncludeCombination)
{
    Channels c;
    c.run("  " + http("/pages/news.html").substr(7) + " \t"); // no scheme, blanks around
    EXPECT_EQ(c.lastSpoken(), kNewsText);
    EXPECT_EQ(c.host.spoken.back().title, "News");
    EXPECT_EQ(c.host.busyPointerOn, 1);
    EXPECT_TRUE(c.host.failures.isEmpty());
    EXPECT_TRUE(c.host.statuses.contains(QStringLiteral(" Connected. (Press Esc if you want to cancel)")))
        << c.host.statuses.join(u'|').toStdString();
    EXPECT_TRUE(std::any_of(c.host.statuses.begin(), c.host.statuses.end(), [](const QString& s) {
        return s.endsWith(QStringLiteral(", press Esc if you want to cancel)")) &&
               s.startsWith(QStringLiteral(" Receiving data... ("));
    }));
    const struct
    {
        ChannelCut cut;
        std::string_view expected;
    } cases[] = {
        {{"Top  stories", "Sports", false, false}, "Rain today"},
        {{"Top stories", "Sports", true, false}, "Top stories Rain today"},
        {{"Top stories", "Sports", false, true}, "Rain today. Sports"},
        {{" Top stories ", "Sports", true, true}, "Top stories Rain today. Sports"},
        {{"top stories", "", false, false}, kNewsText}, // wrong letter case: the whole page
        {{"Sports", "Top stories", false, false}, "and the"},
        {{"", "Sports", false, false}, "News Top stories Rain today"},
    };
    for (const auto& [cut, expected] : cases) {
        c.run("HTTP://" + http("/pages/news.html").substr(7), cut);
        EXPECT_EQ(c.lastSpoken(), expected) << cut.leadKey << "|" << cut.trailKey;
    }
    // The normalised keys replace the current ones.
    EXPECT_EQ(c.retriever.current().cut.leadKey, "");
    c.run(http("/pages/news.html"), {"  Top    stories ", "x", false, false});
    EXPECT_EQ(c.retriever.current().cut.leadKey, "Top stories");
}

TEST(ChannelRetrieval, FailingPagesShowTheBoxAndSpeakNothing)
{
    Channels c;
    c.run(http("/status/500"), {}, "Headlines");
    ASSERT_EQ(c.host.failures.size(), 1);
    EXPECT_EQ(c.host.failures[0],
              QStringLiteral(
                  "Headlines\r\n\r\nNarrix cannot receive data from this channel.\r\nPlease check your "
                  "Internet connection and try again.\r\n\r\nIf you are using an HTTP proxy server:\r\n1. "
                  "Choose the Options command from the View menu;\r\n2. Click the Misc tab and configure "
                  "your proxy settings.\r\n\r\nDetails: the server answered 500 Status."));
    EXPECT_EQ(c.host.lastStatus(), QStringLiteral(" Disconnected."));
    EXPECT_TRUE(c.host.spoken.empty());

    // Nothing listens; a proxy port that is not a number.
    c.run("127.0.0.1:" + std::to_string(kClosedPort) + "/x");
    c.host.proxy = {"127.0.0.1", "80a"};
    c.run(http("/pages/news.html"));
    EXPECT_EQ(c.host.failures.size(), 3);
    EXPECT_TRUE(c.host.spoken.empty());

    // Through the proxy.
    c.host.proxy = {" 127.0.0.1 ", " " + std::to_string(kProxyPort) + " "};
    c.run(http("/pages/news.html"));
    EXPECT_EQ(c.lastSpoken(), kNewsText);
    EXPECT_EQ(c.http.proxyHost(), "127.0.0.1");
}

TEST(ChannelRetrieval, EveryFailureBoxEndsWithItsReason)
{
    const QString webBox = ChannelRetriever::failureText("News");
    const QString mailBox = QString::fromUtf8(MailReader::kFailureText.data());
    const struct
    {
        const char* what;
        std::string address;
        ProxyTexts proxy;
        QString box;
        const char* details; // the last line starts so
    } cases[] = {
        {"a 404", http("/pages/missing.html"), {}, webBox, "Details: the server answered 404 Not Found."},
        {"a server that closes without replying",
         http("/hang-up"),
         {},
         webBox,
         "Details: the server closed the connection without replying."},
        {"a page over the size limit",
         http("/bytes/" + std::to_string((64 << 20) + 1)),
         {},
         webBox,
         "Details: the reply is larger than 64 MiB."},
        {"an empty proxy port",
         http("/pages/news.html"),
         {"127.0.0.1", " "},
         webBox,
         "Details: the proxy port is not set."},
        {"a proxy port that is not a number",
         http("/pages/news.html"),
         {"127.0.0.1", "80a"},
         webBox,
         "Details: the proxy port is not a number."},
        {"a wrong mailbox password",
         mailbox("single", "N", "wrong"),
         {},
         mailBox,
         "Details: the server refused the password: -ERR "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Channels channels;
        channels.host.proxy = c.proxy;
        channels.run(c.address);
        ASSERT_EQ(channels.host.reports.size(), 1u);
        const ChannelFailure& failure = channels.host.reports[0];
        const QString details = QString::fromLatin1(c.details);
        EXPECT_TRUE(failure.text.startsWith(c.box + QStringLiteral("\r\n\r\n") + details))
            << failure.text.toStdString();
        EXPECT_TRUE(failure.text.endsWith(QLatin1Char('.')));
        EXPECT_EQ(failure.text.count(QStringLiteral("Details: ")), 1);
        // The notification carries the same reason.
        EXPECT_TRUE(failure.notificationBody().contains(details)) << failure.notificationBody().toStdString();
        EXPECT_TRUE(channels.host.spoken.empty());
    }
}

TEST(ChannelRetrieval, EscDuringASlowTransferShowsNoBoxAndTheNextStartsAtOnce)
{
    Channels c;
    QTimer::singleShot(300ms, &c.http, [&] { c.retriever.escape(); });
    QElapsedTimer timer;
    timer.start();
    c.run(http("/slow"));
    EXPECT_LT(timer.elapsed(), 5000);
    EXPECT_TRUE(c.host.failures.isEmpty());
    EXPECT_TRUE(c.host.spoken.empty());
    EXPECT_EQ(c.host.lastStatus(), QStringLiteral(" Disconnected."));
    EXPECT_TRUE(c.transfers.cancelRequested());
    c.run(http("/pages/news.html"));
    EXPECT_FALSE(c.transfers.cancelRequested());
    EXPECT_EQ(c.lastSpoken(), kNewsText);

    // Esc with nothing running still cancels and says so.
    c.retriever.escape();
    EXPECT_TRUE(c.transfers.cancelRequested());
    EXPECT_EQ(c.host.lastStatus(), QStringLiteral(" Disconnected."));
}

TEST(ChannelRetrieval, LocalFilesAreReadWholeAndNeverCut)
{
    Channels c;
    QTemporaryDir dir;
    const std::string html = dir.filePath(QStringLiteral("report.HTML")).toStdString();
    std::ofstream(html) << "<p>Top stories</p> Rain today. <p>Sports</p>";
    const std::string text = dir.filePath(QStringLiteral("page.shtml")).toStdString();
    std::ofstream(text) << "<b>Top stories</b>";
    c.run(" " + html + " ", {"Top stories", "Sports", false, false}, "Report");
    EXPECT_EQ(c.host.lastStatus(), QStringLiteral(" Opening report.HTML"));
    EXPECT_EQ(c.lastSpoken(), "Top stories. Rain today. Sports");
    c.run(text, {"Top stories", "", false, false});
    EXPECT_EQ(c.lastSpoken(), "<b>Top stories</b>");
    EXPECT_EQ(c.host.busyPointerOn, 0);
    EXPECT_TRUE(c.host.failures.isEmpty());
    // A path that names no file is still a file, not a web address: its box says so, nothing spoken.
    const size_t spoken = c.host.spoken.size();
    const std::string missing = dir.filePath(QStringLiteral("missing.txt")).toStdString();
    c.run(missing, {}, "Notes");
    EXPECT_EQ(c.host.spoken.size(), spoken);
    EXPECT_EQ(c.host.failures, QStringList{QStringLiteral("Notes\r\n\r\nThe file \"%1\" was not found.")
                                               .arg(QString::fromStdString(missing))});
    EXPECT_EQ(c.host.busyPointerOn, 0) << "nothing was fetched";
}

TEST(ChannelRetrieval, LocalRichTextFilesAreReadThroughTheRtfReader)
{
    Channels c;
    QTemporaryDir dir;
    const auto write = [&](const char* name, const std::string& bytes) {
        const std::string path = dir.filePath(QString::fromLatin1(name)).toStdString();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    };
    // Fonts and \info are left out, \'e9 is decoded in the document's code page, \par ends a line.
    c.run(write("notes.RTF", "{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0 Arial;}}{\\info{\\title Hidden}}"
                             "\\f0 Caf\\'e9 opens.\\par {\\b Rain} today.\\par}"),
          {}, "Notes");
    EXPECT_EQ(c.host.lastStatus(), QStringLiteral(" Opening notes.RTF"));
    EXPECT_EQ(c.lastSpoken(), "Caf\xc3\xa9 opens.\nRain today.\n"); // the last \par ends a line too
    // A ".rtf" file holding plain text is read as plain text.
    c.run(write("plain.rtf", "Just words"));
    EXPECT_EQ(c.lastSpoken(), "Just words");
    // Malformed rich text (a group left open) speaks nothing and shows no box.
    const size_t spoken = c.host.spoken.size();
    c.run(write("broken.rtf", "{\\rtf1 {\\b Rain"));
    EXPECT_EQ(c.host.spoken.size(), spoken);
    EXPECT_TRUE(c.host.failures.isEmpty());
}

TEST(MailReading, MailboxesWithNoneOneAndThreeMessages)
{
    Channels c;
    c.run(mailbox("empty", "Y"), {}, "Mail");
    EXPECT_EQ(c.lastSpoken(), "You have got no new message.");
    EXPECT_EQ(c.host.spoken.back().title, "No New Message");
    EXPECT_EQ(c.retriever.current().title, "No New Message");
    EXPECT_FALSE(c.pop3.IsOpen()) << "RSET and QUIT after the check";

    c.run(mailbox("single", "N"), {}, "Mail");
    EXPECT_EQ(c.lastSpoken(),
              "You have got 1 message! Message 1: Subject: R\xc3\xa9union demain; From: \"Lee, Ann\" ;");
    EXPECT_TRUE(c.host.statuses.contains(
        QStringLiteral(" Checking email (single@example.com)... (Press Esc if you want to cancel)")));
    EXPECT_TRUE(c.host.statuses.contains(
        QStringLiteral(" Receiving Message 1 of 1... (Press Esc if you want to cancel)")));

    c.run(mailbox("single", "Y"), {}, "Mail");
    EXPECT_EQ(c.lastSpoken(),
              "You have got 1 message! Message 1: Subject: R\xc3\xa9union demain; From: \"Lee, Ann\" ; "
              "Message body: Caf\xc3\xa9 at ten, a long line that is wrapped by a soft line "
              "break.\r\nBring the notes.\r\n");

    c.run(mailbox("three", "Y"), {}, "Mail");
    EXPECT_EQ(c.lastSpoken(),
              "You have got 3 messages! Message 1: Subject: Plain note; From: bob@example.com; "
              "Message 2: Subject: Encoded; From: Ann Lee ; Message body: Base64 body line "
              "one.\r\nLine two.\r\n Message 3: Subject: Report attached; From: Carl Moe ;");
    c.run(mailbox("three", "N"), {}, "Mail");
    EXPECT_EQ(c.lastSpoken(),
              "You have got 3 messages! Message 1: Subject: Plain note; From: bob@example.com; "
              "Message 2: Subject: Encoded; From: Ann Lee ; Message 3: Subject: Report attached; "
              "From: Carl Moe ;");
    EXPECT_TRUE(c.host.failures.isEmpty());
    EXPECT_FALSE(c.pop3.IsOpen());

    // POP3 over TLS on port 995.
    c.run(mailbox("single", "N", "secret", 995, "localhost"), {}, "Mail");
    EXPECT_EQ(c.lastSpoken(),
              "You have got 1 message! Message 1: Subject: R\xc3\xa9union demain; From: \"Lee, Ann\" ;");
}

TEST(MailReading, FailuresRefusalsAndCancels)
{
    Channels c;
    const QString failure = QStringLiteral(
        "Narrix cannot check email from this account.\r\nPlease check your account configuration.");
    c.run(mailbox("single", "Y", "wrong"), {}, "Mail");
    ASSERT_EQ(c.host.failures.size(), 1);
    EXPECT_TRUE(c.host.failures[0].startsWith(
        failure + QStringLiteral("\r\n\r\nDetails: the server refused the password: -ERR")))
        << c.host.failures[0].toStdString();
    EXPECT_EQ(c.host.lastStatus(), QStringLiteral(" Ready"));
    EXPECT_TRUE(c.host.spoken.empty());

    // Missing fields and an impossible port are refused with the same box, not silently or by an error.
    c.run("email://a@b 127.0.0.1 110 user", {}, "Mail");
    c.run("email://a@b 127.0.0.1 123456789012345678901234567890 user secret N", {}, "Mail");
    EXPECT_EQ(c.host.failures.size(), 3);

    // A server that stops answering halfway through a message: the check fails at the silence limit.
    c.pop3.setIdleTimeout(400ms);
    c.run(mailbox("stall", "Y", "secret", kPop3StallPort), {}, "Mail");
    EXPECT_EQ(c.host.failures.size(), 4);
    EXPECT_TRUE(c.host.spoken.empty()) << "the text gathered so far is not spoken";

    // Esc during that wait: no box, " Disconnected.", the connection closed.
    c.pop3.setIdleTimeout(30s);
    QTimer::singleShot(300ms, &c.pop3, [&] { c.retriever.escape(); });
    QElapsedTimer timer;
    timer.start();
    c.run(mailbox("stall", "Y", "secret", kPop3StallPort), {}, "Mail");
    EXPECT_LT(timer.elapsed(), 5000);
    EXPECT_EQ(c.host.failures.size(), 4);
    EXPECT_EQ(c.host.lastStatus(), QStringLiteral(" Disconnected."));
    EXPECT_FALSE(c.pop3.IsOpen());
    EXPECT_TRUE(c.host.spoken.empty());

    // A check while a transfer runs is refused.
    c.transfers.begin();
    c.retriever.retrieve({"Mail", mailbox("single", "N"), {}});
    EXPECT_EQ(c.host.beeps, 1);
    EXPECT_EQ(c.host.lastStatus(), QStringLiteral(" Please press Esc before checking email."));
    c.transfers.end();
    EXPECT_TRUE(c.host.spoken.empty());
}

TEST(MailReading, AMailboxClaimingMillionsIsCountedAndOnlyItsNewestRead)
{
    for (const std::string flag : {"N", "Y"}) {
        SCOPED_TRACE("body flag " + flag);
        Channels c;
        c.run(mailbox("liar", flag, "secret", kPop3LyingPort), {}, "Mail");
        EXPECT_TRUE(c.host.failures.isEmpty()) << c.host.failures.join(u'|').toStdString();
        const std::string text = c.lastSpoken();
        const std::string first =
            "You have got 100000000 messages! The newest 100 are read. Message 99999901: "
            "Subject: Message 99999901; From: Liar ;";
        EXPECT_EQ(text.substr(0, first.size()), first) << text.substr(0, 200);
        EXPECT_NE(text.find(" Message 100000000: Subject: Message 100000000; From: Liar ;"),
                  std::string::npos);
        EXPECT_EQ(text.find("Message 99999900:"), std::string::npos) << "older messages are only counted";
        const auto messages = [&](std::string_view what) {
            size_t n = 0;
            for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
                ++n;
            return n;
        };
        EXPECT_EQ(messages(" Subject: "), 100u);
        EXPECT_EQ(messages(" Message body: Body "), flag == "Y" ? 100u : 0u);
        EXPECT_TRUE(c.host.statuses.contains(QStringLiteral(
            " Receiving Message 100000000 of 100000000... (Press Esc if you want to cancel)")));
    }
}
