#include "net/mail_message.h"

#include "net/rfc2047.h"

namespace narrix::net {

void MailMessage::Clear()
{
    fields_.clear();
    subject_.clear();
    sender_ = {};
    contentType_ = "text/plain";
    body_.clear();
    parts_.clear();
}

std::string MailMessage::field(std::string_view name) const
{
    const auto value = findField(fields_, name);
    return value ? decodeEncodedWords(*value) : std::string();
}

void MailMessage::readHeader(std::string_view header)
{
    fields_ = parseHeaderFields(header);
    subject_ = field("Subject");
    const auto from = findField(fields_, "From");
    sender_ = from ? parseMailAddress(*from) : MailAddress{};
    const auto type = findField(fields_, "Content-Type");
    contentType_ = parseContentType(type ? *type : std::string_view()).mimeType();
}

void MailMessage::readMessage(std::string_view message)
{
    std::string_view header, content;
    splitHeaderAndBody(message, header, content);
    readHeader(header);
    body_.clear();
    parts_.clear();
    const auto typeField = findField(fields_, "Content-Type");
    const ContentType type = parseContentType(typeField ? *typeField : std::string_view());
    const std::string boundary = type.param("boundary");
    if (type.type == "multipart" && !boundary.empty()) {
        collectMimeParts(content, boundary, parts_);
        return;
    }
    const auto encoding = findField(fields_, "Content-Transfer-Encoding");
    if (type.type == "text") {
        body_ = splitLines(
            decodeEntityText(content, encoding ? *encoding : std::string_view(), type.param("charset")));
    } else {
        // A single non-text entity (an image sent alone): its raw lines, as received.
        body_ = splitLines(content);
    }
}

} // namespace narrix::net
