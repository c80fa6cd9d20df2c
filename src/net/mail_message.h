#pragma once

#include "net/mail_address.h"
#include "net/mail_header.h"
#include "net/mime_parts.h"

#include <string>
#include <string_view>
#include <vector>

namespace narrix::net {

// A mail message as e-mail reading sees it: subject, sender, and either the body lines of a plain
// message or the decoded leaf parts of a multipart one. All texts are UTF-8.
class MailMessage
{
public:
    // Empties every header field, the body and the parts; the content type returns to text/plain.
    void Clear();

    // Fills the header fields from a header block (what TOP n 0 returns).
    void readHeader(std::string_view header);
    // Fills the header fields and the body or parts from a whole message (what RETR returns).
    void readMessage(std::string_view message);

    const std::string& subject() const noexcept { return subject_; }
    const MailAddress& sender() const noexcept { return sender_; }
    std::string senderText() const { return net::senderText(sender_); }
    const std::string& contentType() const noexcept { return contentType_; }
    const std::vector<MailHeaderField>& fields() const noexcept { return fields_; }
    // A header field's value with encoded words decoded; empty when absent.
    std::string field(std::string_view name) const;

    const std::vector<std::string>& body() const noexcept { return body_; }
    const std::vector<MailPart>& parts() const noexcept { return parts_; }
    size_t partCount() const noexcept { return parts_.size(); }
    const MailPart& part(size_t index) const { return parts_.at(index); }
    bool isTextPart(size_t index) const { return index < parts_.size() && parts_[index].isText; }
    const std::vector<std::string>& partLines(size_t index) const { return parts_.at(index).lines; }

private:
    std::vector<MailHeaderField> fields_;
    std::string subject_;
    MailAddress sender_;
    std::string contentType_ = "text/plain";
    std::vector<std::string> body_;
    std::vector<MailPart> parts_;
};

} // namespace narrix::net
