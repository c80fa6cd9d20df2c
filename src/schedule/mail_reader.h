#pragma once

#include "schedule/channel_host.h"

#include <QtGlobal>

#include <string>
#include <string_view>

namespace narrix::net {
class Pop3Client;
}

namespace narrix {

// Checks a mailbox and speaks what is in it: the count, then the subject and sender of every
// message (and its first text part with the body flag "Y"), oldest first; of a larger mailbox only
// the newest kMaxMessagesRead. Nothing is ever deleted.
class MailReader
{
public:
    MailReader(ChannelHost& host, TransferFlags& flags, net::Pop3Client& client);

    // `address` is a trimmed "EMAIL://" address; `title` is the current title, which an empty
    // mailbox replaces with "No New Message".
    void check(std::string_view address, std::string& title);
    // The e-mail disconnect action: RSET then Quit when a connection is open.
    void disconnect();

    static constexpr int kMaxMessagesRead = 100;
    // The status bar shows it translated (context "StatusBar").
    static constexpr std::string_view kBusyText =
        QT_TRANSLATE_NOOP("StatusBar", " Please press Esc before checking email.");
    static constexpr std::string_view kFailureText =
        "Narrix cannot check email from this account.\r\nPlease check your account configuration.";

private:
    // False when the check failed (the failure is already reported).
    bool readMailbox(int count, bool readBodies, std::string& text);
    // A failure of the running check: nothing when it was the user's cancel.
    void reportFailure(const std::string& reason);
    void report(const std::string& title, const std::string& reason);

    ChannelHost& host_;
    TransferFlags& flags_;
    net::Pop3Client& client_;
    std::string title_; // of the running check, for its failure
};

} // namespace narrix
