#include "schedule/channel_retriever.h"

#include "base/diagnostics.h"
#include "base/speech_log.h"
#include "base/text_trim.h"
#include "documents/document_pieces.h"
#include "documents/document_reader.h"
#include "documents/progressive_document_reader.h"
#include "net/http_client.h"
#include "net/web_address.h"
#include "schedule/channel_address.h"
#include "schedule/channel_file.h"
#include "schedule/mail_reader.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QScopeGuard>

#include <exception>

namespace narrix {

ChannelRetriever::ChannelRetriever(ChannelHost& host, TransferFlags& flags, net::HttpClient& http,
                                   MailReader& mail)
    : host_(host), flags_(flags), http_(http), mail_(mail)
{
    QObject::connect(&http_, &net::HttpClient::status, &http_,
                     [this](net::TransferStatus, const QString& text) {
                         host_.setStatusText(TransferStatusText::status(text));
                     });
    QObject::connect(&http_, &net::HttpClient::workBegin, &http_,
                     [this](net::WorkMode, qint64 expected) { statusText_.begin(expected); });
    QObject::connect(&http_, &net::HttpClient::work, &http_, [this](net::WorkMode, qint64 count) {
        host_.setStatusText(statusText_.progress(count));
    });
}

ChannelRetriever::~ChannelRetriever() = default;

QString ChannelRetriever::failureText(const std::string& title)
{
    return QString::fromStdString(title) +
           QStringLiteral("\r\n\r\nNarrix cannot receive data from this channel.\r\n"
                          "Please check your Internet connection and try again.\r\n\r\n"
                          "If you are using an HTTP proxy server:\r\n1. Choose the Options command from the "
                          "View menu;\r\n2. Click the Misc tab and configure your proxy settings.");
}

ChannelFailure ChannelRetriever::webFailure(const std::string& title, const std::string& reason)
{
    return {title, withDetails(failureText(title), reason),
            QStringLiteral("Narrix cannot receive data from this channel."), reason};
}

ChannelFailure ChannelRetriever::missingFileFailure(const std::string& title, const std::string& path)
{
    const QString notFound =
        QStringLiteral("The file \"") + QString::fromStdString(path) + QStringLiteral("\" was not found.");
    return {title, QString::fromStdString(title) + QStringLiteral("\r\n\r\n") + notFound, notFound,
            "the file \"" + path + "\" was not found"};
}

void ChannelRetriever::report(const ChannelFailure& failure)
{
    qCWarning(lcNarrix, "channel \"%s\" failed: %s", failure.title.c_str(), failure.reason.c_str());
    speechLogError("RetrieveChannel", "\"" + failure.title + "\": " + failure.reason);
    host_.reportFailure(failure);
}

void ChannelRetriever::retrieve(const ChannelRequest& request)
{
    current_.title = request.title;
    current_.cut = request.cut;
    RetrieveChannel(request.address);
}

void ChannelRetriever::RetrieveChannel(std::string_view rawAddress)
{
    // Callers (the scheduler above all) always get control back.
    try {
        const std::string address(trimView(rawAddress));
        switch (channelKindOf(address)) {
        case ChannelKind::Mailbox:
            mail_.check(address, current_.title);
            return;
        case ChannelKind::LocalFile:
            retrieveLocalFile(address);
            return;
        case ChannelKind::WebPage:
            // A path of this computer that is gone is no web address ("http:///home/...").
            if (looksLikeFilePath(address)) {
                report(missingFileFailure(current_.title, address));
                return;
            }
            retrieveWebPage(address);
            return;
        }
    } catch (const std::exception& error) {
        qCWarning(lcNarrix, "RetrieveChannel: %s", error.what());
    }
}

void ChannelRetriever::retrieveLocalFile(const std::string& path)
{
    host_.setStatusText(QCoreApplication::translate("StatusBar", " Opening %1")
                            .arg(QFileInfo(QString::fromStdString(path)).fileName()));
    if (const std::optional<DocumentFormat> format = documentFormatOf(path);
        format && readsInPieces(*format)) {
        retrieveInPieces(path, *format);
        return;
    }
    std::string error;
    const std::optional<std::string> text = readChannelFile(path, &error);
    if (!text) {
        localFileUnread(error);
        return;
    }
    host_.speakScheduled(current_.title, *text);
}

void ChannelRetriever::localFileUnread(const std::string& error)
{
    // A file that cannot be read ends the retrieval without a box, as the channel's contract says;
    // the reason reaches stderr and the event log.
    qCWarning(lcNarrix, "channel file not read: %s", error.c_str());
    speechLogError("RetrieveChannel", "\"" + current_.title + "\": " + error);
}

void ChannelRetriever::retrieveInPieces(const std::string& path, DocumentFormat format)
{
    std::string reason;
    std::unique_ptr<DocumentPieces> pieces = openDocumentPieces(path, format, {}, &reason);
    std::optional<std::string> first;
    if (pieces)
        first = pieces->next(&reason);
    if (!pieces || !reason.empty()) {
        localFileUnread(path + ": " + reason);
        return;
    }
    if (!pieces_) {
        pieces_ = std::make_unique<ProgressiveDocumentReader>();
        QObject::connect(
            pieces_.get(), &ProgressiveDocumentReader::pieceRead, pieces_.get(),
            [this](const QString& piece) { host_.continueScheduled(piecesTitle_, piece.toStdString()); });
        QObject::connect(pieces_.get(), &ProgressiveDocumentReader::finished, pieces_.get(),
                         [this](const QString& error) {
                             host_.endScheduled();
                             // What was read is spoken; the reason is told as for a file not read.
                             if (!error.isEmpty())
                                 localFileUnread(piecesPath_ + ": " + error.toStdString());
                         });
    } else if (pieces_->running()) {
        pieces_->stop(); // the document before is spoken as far as it was read
        host_.endScheduled();
    }
    piecesTitle_ = current_.title;
    piecesPath_ = path;
    host_.beginScheduledPieces(piecesTitle_, first.value_or(std::string()));
    if (first)
        pieces_->start(std::move(pieces));
    else
        host_.endScheduled();
}

void ChannelRetriever::retrieveWebPage(std::string_view address)
{
    const std::string url = channelWebUrl(address);
    host_.setBusyPointer(true);
    const auto pointer = qScopeGuard([this] { host_.setBusyPointer(false); });

    const ProxyTexts proxyTexts = host_.proxySettings();
    const auto proxy = net::proxyFromSettings(proxyTexts.proxy, proxyTexts.port);
    flags_.begin();
    // Cleared only after a failure box is closed: a tick meanwhile sees the transfer as running.
    const auto notBusy = qScopeGuard([this] { flags_.end(); });
    net::NetResult<std::string> page = net::NetError{};
    if (proxy.ok()) {
        http_.setProxy(proxy.value().host, proxy.value().port);
        page = http_.FetchText(url);
    } else {
        page = proxy.error();
    }
    if (!page.ok()) {
        host_.setStatusText(QCoreApplication::translate("StatusBar", " Disconnected."));
        qCWarning(lcNarrix, "channel \"%s\" (%s) not fetched: %s", current_.title.c_str(), url.c_str(),
                  page.error().message.c_str());
        if (!flags_.cancelRequested())
            report(webFailure(current_.title, netFailureReason(page.error())));
        return;
    }
    flags_.end();

    std::string text = net::webPageSpeechText(page.value(), http_.contentType());
    page = net::NetError{};
    current_.cut.leadKey = normalizeCutKey(current_.cut.leadKey);
    current_.cut.trailKey = normalizeCutKey(current_.cut.trailKey);
    const std::string_view passage = tidyPassage(cutPassage(text, current_.cut));
    host_.speakScheduled(current_.title, std::string(passage));
}

void ChannelRetriever::abortTransfer()
{
    http_.AbortSocket();
}

void ChannelRetriever::escape()
{
    flags_.requestCancel();
    // Also while the connection is still being made (not yet open): Esc cancels at once.
    if (http_.IsOpen() || flags_.busy())
        abortTransfer();
    mail_.disconnect();
    host_.setStatusText(QCoreApplication::translate("StatusBar", " Disconnected."));
}

void ChannelRetriever::windowClosing()
{
    flags_.requestCancel();
    abortTransfer();
    mail_.disconnect();
}

} // namespace narrix
