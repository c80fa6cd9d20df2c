// Shutting the transfers down, as the closing window does: every wait, however deeply nested in the
// events pumped by another, ends at once, and nothing starts afterwards. A thread whose event loops
// are being left ends its waits instead of spinning. The shutdown is for good, hence a program of
// its own; the tests run in the order written.
#include "net/http_client.h"
#include "net/net_connection.h"
#include "net/pop3_client.h"
#include "net/transfer_shutdown.h"
#include "net_test_support.h"

#include <QCoreApplication>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

using namespace narrix::net;
using namespace narrix::net::testing;

TEST(TransferShutdown, AThreadLeavingItsEventLoopsEndsItsWaitsInsteadOfSpinning)
{
    std::optional<NetResult<std::string>> fetched;
    QThread* thread = QThread::create([&] {
        HttpClient client;
        client.setIdleTimeout(std::chrono::seconds(30));
        // From here on every event loop of this thread returns at once.
        QThread::currentThread()->exit(0);
        fetched = client.FetchText(http("/slow"));
    });
    thread->start();
    ASSERT_TRUE(thread->wait(20000)) << "the wait spun on";
    delete thread;
    ASSERT_TRUE(fetched.has_value());
    ASSERT_FALSE(fetched->ok());
    EXPECT_EQ(fetched->error().kind, NetErrorKind::Aborted) << fetched->error().message;
    EXPECT_FALSE(transfersShutDown()) << "one thread's loops are not the program's close";
}

TEST(TransferShutdown, EveryWaitEndsAtOnceAndNothingStartsAfterwards)
{
    HttpClient web;
    Pop3Client mail;
    mail.setHost("127.0.0.1");
    mail.setPort(kPop3StallPort); // stops answering halfway through RETR
    ASSERT_TRUE(mail.OpenMailbox().ok());
    NetConnection silent;
    ASSERT_TRUE(silent.open("127.0.0.1", kSilentPort, false).ok());

    // Each wait starts the next from inside its own pumped events; the innermost shuts down.
    struct Ended
    {
        std::string what;
        NetError error;
    };
    std::vector<Ended> ended;
    const auto record = [&](const char* what, const NetError& error) { ended.push_back({what, error}); };
    const auto soon = [&web](std::function<void()> next) { QTimer::singleShot(100, &web, std::move(next)); };
    soon([&] {
        MailMessage message;
        soon([&] {
            std::string bytes;
            soon([] { shutDownTransfers(); });
            auto read = silent.readSome(bytes, 4096);
            record("a plain socket's read", read.ok() ? NetError{} : read.error());
        });
        auto read = mail.ReadMessage(1, message);
        record("a POP3 command", read.ok() ? NetError{} : read.error());
    });
    auto page = web.FetchText(http("/slow"));
    record("an HTTP fetch", page.ok() ? NetError{} : page.error());

    ASSERT_EQ(ended.size(), 3u);
    for (const Ended& e : ended) {
        SCOPED_TRACE(e.what);
        EXPECT_EQ(e.error.kind, NetErrorKind::Aborted) << e.error.message;
        EXPECT_EQ(e.error.message, "the program is closing");
    }
    EXPECT_EQ(ended[0].what, "a plain socket's read") << "the innermost wait ends first";
    EXPECT_TRUE(transfersShutDown());

    // Nothing starts any more: no connection is made, no command sent.
    const auto kindOf = [](const auto& result) {
        return result.ok() ? NetErrorKind::Socket : result.error().kind;
    };
    EXPECT_EQ(kindOf(web.FetchText(http("/hello"))), NetErrorKind::Aborted);
    EXPECT_EQ(kindOf(mail.OpenMailbox()), NetErrorKind::Aborted);
    NetConnection fresh;
    EXPECT_EQ(kindOf(fresh.open("127.0.0.1", kHttpPort, false)), NetErrorKind::Aborted);
    EXPECT_FALSE(fresh.isOpen());
}
