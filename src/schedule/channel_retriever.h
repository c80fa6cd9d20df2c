#pragma once

#include "schedule/channel_host.h"
#include "schedule/channel_request.h"
#include "schedule/transfer_status_text.h"

#include "documents/document_format.h"

#include <QtGlobal>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace narrix::net {
class HttpClient;
}

namespace narrix {

class MailReader;
class ProgressiveDocumentReader;

// Turns a channel address into spoken text: a mailbox is handed to e-mail reading, a local file is
// read whole, a web page is fetched, converted, cut between the lead and trail keys and tidied.
// Runs on the window's thread; the HTTP client keeps the window's events flowing while it waits.
class ChannelRetriever
{
public:
    ChannelRetriever(ChannelHost& host, TransferFlags& flags, net::HttpClient& http, MailReader& mail);
    ~ChannelRetriever();
    ChannelRetriever(const ChannelRetriever&) = delete;
    ChannelRetriever& operator=(const ChannelRetriever&) = delete;

    // The current title and cut settings, which RetrieveChannel reads (and whose keys it
    // normalises in place).
    ChannelRequest& current() { return current_; }
    const ChannelRequest& current() const { return current_; }

    // Retrieves `address` with the current settings. Never throws; failures are reported.
    void RetrieveChannel(std::string_view address);
    // Takes the request's title and cut as the current settings, then retrieves its address.
    void retrieve(const ChannelRequest& request);

    // The Esc key: cancel, abort the running transfer, disconnect the mailbox, " Disconnected.".
    void escape();
    // The window closes: the same without the status text.
    void windowClosing();

    // The status bar shows it translated (context "StatusBar").
    static constexpr std::string_view kBusyText =
        QT_TRANSLATE_NOOP("StatusBar", " Please press Esc before you start a new connection.");
    // The failure box for a web page that could not be fetched, without its Details line.
    static QString failureText(const std::string& title);
    // The failures with their reasons: a web page, a local file that is gone.
    static ChannelFailure webFailure(const std::string& title, const std::string& reason);
    static ChannelFailure missingFileFailure(const std::string& title, const std::string& path);

private:
    // stderr and the event log's error line, then the host's box or notification.
    void report(const ChannelFailure& failure);
    void retrieveLocalFile(const std::string& path);
    // A PDF or EPUB is spoken from its first pages on while the rest is read.
    void retrieveInPieces(const std::string& path, DocumentFormat format);
    void localFileUnread(const std::string& error);
    void retrieveWebPage(std::string_view address);
    void abortTransfer();

    ChannelHost& host_;
    TransferFlags& flags_;
    net::HttpClient& http_;
    MailReader& mail_;
    ChannelRequest current_;
    TransferStatusText statusText_;
    std::unique_ptr<ProgressiveDocumentReader> pieces_; // made for the first PDF or EPUB
    std::string piecesTitle_;                           // whose pieces are arriving
    std::string piecesPath_;
};

} // namespace narrix
