#pragma once

#include "net/mail_header.h"

#include <string>
#include <string_view>
#include <vector>

namespace narrix::net {

// One leaf of a MIME message: a text part with its decoded lines, or an attachment.
struct MailPart
{
    bool isText = false;
    std::string contentType;        // e.g. "text/plain"
    std::string transferEncoding;   // lower case, e.g. "quoted-printable"; empty when none was given
    std::string charset;            // as declared
    std::string fileName;           // attachments: the file name, when given
    std::vector<std::string> lines; // text parts: decoded to UTF-8
};

// Decodes an entity body from its transfer encoding and character set into UTF-8 text.
std::string decodeEntityText(std::string_view body, std::string_view transferEncoding,
                             std::string_view charset);

// Reads the parts of a multipart body with the given boundary, in order. Nested multiparts are
// read as if flat, so their leaves follow in document order. Nesting deeper than a limit is read as
// an attachment. Linear in the size of the body for each nesting level.
void collectMimeParts(std::string_view body, std::string_view boundary, std::vector<MailPart>& parts,
                      int depth = 0);

// Turns one leaf entity (its header fields and body) into a part.
MailPart makeLeafPart(const std::vector<MailHeaderField>& fields, std::string_view body);

inline constexpr int kMaxMimeDepth = 16;

} // namespace narrix::net
