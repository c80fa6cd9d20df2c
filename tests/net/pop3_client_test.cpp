#include "net/pop3_client.h"
#include "net_test_support.h"

#include <QElapsedTimer>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <thread>

using namespace narrix::net;
using namespace narrix::net::testing;
using namespace std::chrono_literals;

namespace {

void logIn(Pop3Client& client, int port = kPop3Port)
{
    client.setHost("127.0.0.1");
    client.setPort(port);
    client.setUserName("tester");
    client.setPassword("secret");
}

using Lines = std::vector<std::string>;

} // namespace

TEST(Pop3Client, ReadsHeadersAndMessagesFromARealMailbox)
{
    Pop3Client client;
    std::vector<std::string> statuses;
    QObject::connect(&client, &Pop3Client::status, &client,
                     [&](TransferStatus, const QString& text) { statuses.push_back(text.toStdString()); });
    logIn(client);
    NetStatus opened = client.OpenMailbox();
    ASSERT_TRUE(opened.ok()) << opened.error().message;
    EXPECT_TRUE(client.IsOpen());
    auto count = client.CountMessages();
    ASSERT_TRUE(count.ok());
    ASSERT_EQ(count.value(), 4);

    const std::pair<const char*, const char*> headers[] = {
        {"Caf\xc3\xa9 at noon", "Ann Lee <ann@example.com>"},
        {"Gr\xc3\xbc\xc3\x9f"
         "e aus M\xc3\xbcnchen",
         "\"Lee, Ann\" <ann@example.com>"},
        {"Report attached", "bob@example.com"},
        {"Caf\xc3\xa9 cr\xc3\xa8me", "Ren\xc3\xa9 Dupont <rene@example.com>"},
    };
    MailMessage message;
    for (int i = 1; i <= 4; ++i) {
        message.Clear();
        ASSERT_TRUE(client.ReadHeader(i, message)) << i;
        EXPECT_EQ(message.subject(), headers[i - 1].first) << i;
        EXPECT_EQ(message.senderText(), headers[i - 1].second) << i;
        EXPECT_TRUE(message.body().empty()) << "TOP n 0 reads no body";
    }

    // A plain message: its lines in the body, dot-stuffed lines restored, no parts.
    ASSERT_TRUE(client.ReadMessage(1, message).ok());
    EXPECT_EQ(message.partCount(), 0u);
    EXPECT_EQ(message.body(),
              (Lines{"Shall we meet at the cafe?", ".A line that starts with a point.", "..", "Ann"}));

    // multipart/alternative: quoted-printable Latin-1 text first, then the HTML.
    ASSERT_TRUE(client.ReadMessage(2, message).ok());
    ASSERT_EQ(message.partCount(), 2u);
    ASSERT_TRUE(message.isTextPart(0));
    EXPECT_EQ(message.partLines(0),
              (Lines{"Gr\xc3\xbc\xc3\x9f"
                     "e aus M\xc3\xbcnchen, a very long line that is wrapped by a soft line break.",
                     "Second line."}));
    EXPECT_TRUE(message.isTextPart(1));
    EXPECT_TRUE(message.body().empty());

    // multipart/mixed whose first part is an attachment.
    ASSERT_TRUE(client.ReadMessage(3, message).ok());
    ASSERT_EQ(message.partCount(), 2u);
    EXPECT_FALSE(message.isTextPart(0));
    EXPECT_EQ(message.part(0).fileName, "report.pdf");
    EXPECT_EQ(message.partLines(1), Lines{"See the report."});

    // Nested multiparts read in order: the first leaf is the base64 Latin-1 text.
    ASSERT_TRUE(client.ReadMessage(4, message).ok());
    ASSERT_EQ(message.partCount(), 3u);
    ASSERT_TRUE(message.isTextPart(0));
    EXPECT_EQ(message.partLines(0), (Lines{"Caf\xc3\xa9 cr\xc3\xa8me for everyone.", "Second line."}));
    EXPECT_FALSE(message.isTextPart(2));

    EXPECT_TRUE(client.ResetMailbox().ok());
    client.CloseMailbox();
    EXPECT_FALSE(client.IsOpen());
    EXPECT_EQ(statuses.back(), "Disconnected.");
}

TEST(Pop3Client, RefusalsAreFailuresExceptForReadHeader)
{
    Pop3Client client;
    logIn(client);
    ASSERT_TRUE(client.OpenMailbox().ok());
    MailMessage message;
    message.Clear();
    EXPECT_FALSE(client.ReadHeader(99, message));
    EXPECT_EQ(message.subject(), "");
    EXPECT_EQ(message.senderText(), "");
    auto missing = client.ReadMessage(99, message);
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error().kind, NetErrorKind::Refused);
    EXPECT_TRUE(client.IsOpen()) << "a refusal leaves the session usable";
    EXPECT_EQ(client.CountMessages().value(), 4);
    client.CloseMailbox();

    Pop3Client wrong;
    logIn(wrong);
    wrong.setPassword("wrong");
    auto refused = wrong.OpenMailbox();
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.error().kind, NetErrorKind::Refused);
    EXPECT_FALSE(wrong.IsOpen()) << "a failed log-in closes the connection";

    Pop3Client injected;
    logIn(injected);
    injected.setUserName("tester\r\nDELE 1");
    EXPECT_FALSE(injected.OpenMailbox().ok());
    EXPECT_FALSE(injected.IsOpen());
}

TEST(Pop3Client, Port995SpeaksTls)
{
    Pop3Client trusting;
    logIn(trusting, Pop3Client::kTlsPort);
    trusting.setHost("localhost");
    trusting.setExtraCaCertificates(testCa());
    NetStatus opened = trusting.OpenMailbox();
    ASSERT_TRUE(opened.ok()) << opened.error().message;
    EXPECT_EQ(trusting.CountMessages().value(), 4);
    trusting.CloseMailbox();

    Pop3Client strict;
    logIn(strict, Pop3Client::kTlsPort);
    strict.setHost("localhost");
    auto refused = strict.OpenMailbox();
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.error().kind, NetErrorKind::Tls);
}

TEST(Pop3Client, HostileServersEndInAFailure)
{
    Pop3Client garbage;
    logIn(garbage, kPop3GarbagePort);
    auto unrecognized = garbage.OpenMailbox();
    ASSERT_FALSE(unrecognized.ok());
    EXPECT_EQ(unrecognized.error().kind, NetErrorKind::Protocol);
    EXPECT_EQ(unrecognized.error().message, "Unrecognized POP3 Response Header");
    EXPECT_FALSE(garbage.IsOpen());

    Pop3Client dropping;
    logIn(dropping, kPop3DropPort);
    auto dropped = dropping.OpenMailbox();
    ASSERT_FALSE(dropped.ok());
    EXPECT_EQ(dropped.error().kind, NetErrorKind::ConnectionClosed);
    EXPECT_FALSE(dropping.IsOpen());

    Pop3Client silent;
    logIn(silent, kSilentPort);
    silent.setIdleTimeout(500ms);
    auto timedOut = silent.OpenMailbox();
    ASSERT_FALSE(timedOut.ok());
    EXPECT_EQ(timedOut.error().kind, NetErrorKind::TimedOut);

    Pop3Client nowhere;
    logIn(nowhere, kClosedPort);
    EXPECT_EQ(nowhere.OpenMailbox().error().kind, NetErrorKind::ConnectFailed);
}

TEST(Pop3Client, ClosingWhileACommandWaitsFailsThatCommandAtOnce)
{
    Pop3Client client;
    logIn(client, kSilentPort);
    // As the Esc key's disconnect action would: reset (refused, the client is busy), then close.
    NetErrorKind resetKind = NetErrorKind::Socket;
    QTimer::singleShot(300, &client, [&] {
        resetKind = client.ResetMailbox().error().kind;
        client.CloseMailbox();
    });
    auto opened = client.OpenMailbox();
    ASSERT_FALSE(opened.ok());
    EXPECT_EQ(opened.error().kind, NetErrorKind::Aborted);
    EXPECT_EQ(resetKind, NetErrorKind::Busy);
    EXPECT_FALSE(client.IsOpen());
}

TEST(Pop3Client, TheTransferDeadlineHoldsAgainstAServerThatAnswersAtOnce)
{
    // Every reply is there as soon as it is asked for, so no wait ever has to wait.
    struct Case
    {
        const char* what;
        std::function<bool(Pop3Client&, int, MailMessage&)> read;
    };
    const Case cases[] = {
        {"headers", [](Pop3Client& c, int n, MailMessage& m) { return c.ReadHeader(n, m); }},
        {"whole messages", [](Pop3Client& c, int n, MailMessage& m) { return c.ReadMessage(n, m).ok(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Pop3Client client;
        logIn(client, kPop3LyingPort);
        client.setTransferDeadline(300ms);
        ASSERT_TRUE(client.OpenMailbox().ok());
        auto count = client.CountMessages();
        ASSERT_TRUE(count.ok());
        EXPECT_EQ(count.value(), 100000000);
        MailMessage message;
        ASSERT_TRUE(c.read(client, 1, message));
        EXPECT_EQ(message.subject(), "Message 1");
        // A safety bound for a client that never stops, not a measure of speed.
        QElapsedTimer bound;
        bound.start();
        int n = 2;
        bool failed = false;
        for (; !failed && n <= count.value() && bound.elapsed() < 20000; ++n)
            failed = !c.read(client, n, message);
        EXPECT_TRUE(failed) << "still reading after " << n << " messages";
        // The deadline closed the connection; what comes after fails the same way.
        EXPECT_FALSE(client.IsOpen());
        auto after = client.CountMessages();
        ASSERT_FALSE(after.ok());
        EXPECT_EQ(after.error().kind, NetErrorKind::TimedOut) << after.error().message;
        // The next open starts a new transfer with a deadline of its own.
        EXPECT_TRUE(client.OpenMailbox().ok());
        client.CloseMailbox();
    }
    // A deadline that passes between two commands, while the program does other work: the next
    // command is refused before anything is sent, and the connection goes all the same.
    Pop3Client client;
    logIn(client, kPop3LyingPort);
    client.setTransferDeadline(100ms);
    ASSERT_TRUE(client.OpenMailbox().ok());
    std::this_thread::sleep_for(150ms);
    auto late = client.CountMessages();
    ASSERT_FALSE(late.ok());
    EXPECT_EQ(late.error().kind, NetErrorKind::TimedOut);
    EXPECT_FALSE(client.IsOpen());
}
