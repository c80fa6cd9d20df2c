#include "schedule/mail_reader.h"

#include "base/diagnostics.h"
#include "base/speech_log.h"
#include "net/pop3_client.h"
#include "schedule/mail_sentence.h"
#include "schedule/mailbox_address.h"

#include <QCoreApplication>
#include <QScopeGuard>

namespace narrix {
namespace {

QString qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

MailReader::MailReader(ChannelHost& host, TransferFlags& flags, net::Pop3Client& client)
    : host_(host), flags_(flags), client_(client)
{
}

void MailReader::check(std::string_view address, std::string& title)
{
    address.remove_prefix(std::min<size_t>(8, address.size()));
    if (flags_.busy()) {
        host_.beep();
        host_.setStatusText(QCoreApplication::translate("StatusBar", kBusyText.data()));
        return;
    }
    if (client_.IsOpen())
        client_.CloseMailbox();
    std::string error;
    const auto mailbox = parseMailboxAddress(address, &error);
    if (!mailbox) {
        // An address the account dialog would never write: say so instead of doing nothing.
        qCWarning(lcNarrix, "mailbox address of \"%s\" refused: %s", title.c_str(), error.c_str());
        report(title, "the mailbox address is incomplete: " + error);
        return;
    }

    host_.setBusyPointer(true);
    host_.setStatusText(
        QCoreApplication::translate("StatusBar", " Checking email (%1)... (Press Esc if you want to cancel)")
            .arg(QString::fromStdString(mailbox->email)));
    flags_.begin();
    title_ = title;
    const auto done = qScopeGuard([this] {
        host_.setBusyPointer(false);
        flags_.end();
    });

    client_.setHost(mailbox->server);
    client_.setPort(mailbox->port);
    client_.setUserName(mailbox->user);
    client_.setPassword(mailbox->password);
    const net::NetStatus opened = client_.OpenMailbox();
    if (!opened.ok())
        return reportFailure(netFailureReason(opened.error()));
    const net::NetResult<int> count = client_.CountMessages();
    if (!count.ok())
        return reportFailure(netFailureReason(count.error()));

    std::string text;
    if (count.value() == 0) {
        text = MailSentence::kNoMessage;
        title = MailSentence::kNoMessageTitle;
    } else if (!readMailbox(count.value(), mailbox->readBodies, text)) {
        return;
    }
    host_.speakScheduled(title, text);
    disconnect();
}

bool MailReader::readMailbox(int count, bool readBodies, std::string& text)
{
    MailSentence sentence(count);
    // A mailbox of thousands (or a server that claims millions) is counted, and only its newest
    // messages are read, oldest of them first.
    const int first = count > kMaxMessagesRead ? count - kMaxMessagesRead + 1 : 1;
    if (first > 1)
        sentence.newestOnly(kMaxMessagesRead);
    net::MailMessage message;
    for (int i = first; i <= count; ++i) {
        host_.setStatusText(
            QCoreApplication::translate("StatusBar",
                                        " Receiving Message %1 of %2... (Press Esc if you want to cancel)")
                .arg(i)
                .arg(count));
        sentence.beginMessage(i);
        host_.processEvents();
        // A server that refuses TOP leaves the subject and sender empty.
        message.Clear();
        client_.ReadHeader(i, message);
        // A refused TOP keeps the connection; a lost connection (Esc, a server gone) ends the check.
        if (!client_.IsOpen()) {
            reportFailure("the connection was lost while reading the header of message " + std::to_string(i));
            return false;
        }
        sentence.addHeader(message.subject(), message.senderText());
        if (readBodies) {
            const net::NetStatus read = client_.ReadMessage(i, message);
            if (!read.ok()) {
                reportFailure(netFailureReason(read.error()));
                return false;
            }
            if (message.partCount() > 0 && message.isTextPart(0))
                sentence.addBody(message.partLines(0));
        }
    }
    text = sentence.text();
    return true;
}

void MailReader::reportFailure(const std::string& reason)
{
    host_.setStatusText(QCoreApplication::translate("StatusBar", " Ready"));
    if (flags_.cancelRequested()) {
        host_.setStatusText(QCoreApplication::translate("StatusBar", " Disconnected."));
        return;
    }
    report(title_, reason);
}

void MailReader::report(const std::string& title, const std::string& reason)
{
    qCWarning(lcNarrix, "e-mail check failed: %s", reason.c_str());
    speechLogError("RetrieveChannel", "\"" + title + "\": " + reason);
    host_.reportFailure({title, withDetails(qs(kFailureText), reason),
                         QStringLiteral("Narrix cannot check email from this account."), reason});
}

void MailReader::disconnect()
{
    if (!client_.IsOpen())
        return;
    client_.ResetMailbox(); // its outcome does not matter: the connection is closed anyway
    client_.CloseMailbox();
}

} // namespace narrix
