// Whole mail messages: headers, senders, MIME structure, transfer encodings and charsets.
#include "net/mail_message.h"

#include <QByteArray>
#include <QStringDecoder>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void requireUtf8(const std::string& text)
{
    QStringDecoder decoder(QStringDecoder::Utf8);
    (void)decoder.decode(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
    if (decoder.hasError())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace narrix::net;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    MailMessage message;
    message.readMessage(input);
    requireUtf8(message.subject());
    requireUtf8(message.senderText());
    for (size_t i = 0; i < message.partCount(); ++i) {
        for (const auto& line : message.partLines(i))
            requireUtf8(line);
    }
    message.Clear();
    if (!message.subject().empty() || message.partCount() != 0 || !message.body().empty())
        std::abort();
    message.readHeader(input);
    return 0;
}
