#include "schedule/picker_page_reader.h"

#include "base/ascii_case.h"
#include "base/text_trim.h"
#include "net/http_client.h"
#include "net/web_address.h"
#include "schedule/channel_address.h"
#include "schedule/channel_file.h"

#include <QFileInfo>

namespace narrix {
PickerPageReader::PickerPageReader(net::HttpClient& client, TransferFlags& transfers)
    : client_(client), transfers_(transfers)
{
}

PickerPageReader::Result PickerPageReader::read(std::string_view rawAddress, std::string_view proxy,
                                                std::string_view port)
{
    std::string address = trim(rawAddress);
    if (isMailboxAddress(address))
        return {Status::Mailbox, {}, "A mailbox has no page to pick from.", false};
    if (!address.empty() && QFileInfo(QString::fromStdString(address)).isFile()) {
        // Read as a channel reads a local file: HTML converted, rich text through the RTF reader, PDF,
        // EPUB, DOCX and ODT through the documents readers.
        std::string error;
        std::optional<std::string> text = readChannelFile(address, &error);
        if (!text)
            return {Status::Failed, {}, error, true};
        return {Status::Ok, std::move(*text), {}, true};
    }
    if (transfers_.busy())
        return {Status::Busy, {}, " Please press Esc before you start a new connection.", false};
    if (!net::isWebAddress(address))
        address.insert(0, "http://");
    return readWebPage(std::move(address), proxy, port);
}

PickerPageReader::Result PickerPageReader::readWebPage(std::string address, std::string_view proxy,
                                                       std::string_view port)
{
    const auto proxySetting = net::proxyFromSettings(proxy, port);
    if (!proxySetting.ok())
        return {Status::Failed, {}, proxySetting.error().message, false};
    client_.setProxy(proxySetting.value().host, proxySetting.value().port);

    transfers_.begin();
    fetching_ = true;
    expected_ = 0;
    QObject context;
    QObject::connect(&client_, &net::HttpClient::workBegin, &context,
                     [this](net::WorkMode, qint64 total) { expected_ = total; });
    QObject::connect(&client_, &net::HttpClient::work, &context, [this](net::WorkMode, qint64 count) {
        if (!onStatus)
            return;
        std::string text = " Receiving data... (" + std::to_string(count);
        if (expected_ > 0)
            text += "/" + std::to_string(expected_);
        onStatus(text + ", press Esc if you want to cancel)");
    });
    QObject::connect(&client_, &net::HttpClient::status, &context,
                     [this](net::TransferStatus, const QString& text) {
                         if (!onStatus)
                             return;
                         std::string line = " " + text.toStdString();
                         if (text != QLatin1String("Disconnected."))
                             line += " (Press Esc if you want to cancel)";
                         onStatus(line);
                     });
    auto page = client_.FetchText(address);
    fetching_ = false;
    transfers_.end();
    if (!page.ok()) {
        const Status status = transfers_.cancelRequested() ? Status::Cancelled : Status::Failed;
        return {status, {}, page.error().message, false};
    }
    return {Status::Ok, net::webPageSpeechText(page.value(), client_.contentType()), {}, false};
}

void PickerPageReader::cancel()
{
    transfers_.requestCancel();
    // While resolving or connecting no socket is open yet, and the fetch must end all the same.
    if (fetching_ || client_.IsOpen())
        client_.AbortSocket();
}

} // namespace narrix
