#include "net/mime_parts.h"

#include "net/net_text.h"

#include "net/charset.h"
#include "net/http_response_head.h"
#include "net/rfc2047.h"
#include "net/transfer_decoding.h"

namespace narrix::net {
namespace {

enum class BoundaryLine { None, Part, Close };

BoundaryLine classifyLine(std::string_view line, std::string_view boundary)
{
    if (line.size() < boundary.size() + 2 || line[0] != '-' || line[1] != '-')
        return BoundaryLine::None;
    if (line.substr(2, boundary.size()) != boundary)
        return BoundaryLine::None;
    std::string_view rest = line.substr(2 + boundary.size());
    if (rest.substr(0, 2) == "--")
        return BoundaryLine::Close;
    // Only trailing blanks may follow the boundary (RFC 2046 section 5.1.1).
    return trimWhite(rest).empty() ? BoundaryLine::Part : BoundaryLine::None;
}

void addEntity(std::string_view entity, std::vector<MailPart>& parts, int depth)
{
    std::string_view header, body;
    splitHeaderAndBody(entity, header, body);
    const auto fields = parseHeaderFields(header);
    const auto typeField = findField(fields, "Content-Type");
    const ContentType type = parseContentType(typeField ? *typeField : std::string_view());
    const std::string boundary = type.param("boundary");
    if (type.type == "multipart" && !boundary.empty() && depth + 1 < kMaxMimeDepth) {
        collectMimeParts(body, boundary, parts, depth + 1);
        return;
    }
    parts.push_back(makeLeafPart(fields, body));
}

} // namespace

std::string decodeEntityText(std::string_view body, std::string_view transferEncoding,
                             std::string_view charset)
{
    const std::string encoding = toLowerAscii(trimWhite(transferEncoding));
    if (encoding == "quoted-printable")
        return charsetToUtf8(decodeQuotedPrintable(body), charset);
    if (encoding == "base64")
        return charsetToUtf8(decodeBase64(body), charset);
    return charsetToUtf8(body, charset);
}

MailPart makeLeafPart(const std::vector<MailHeaderField>& fields, std::string_view body)
{
    MailPart part;
    const auto typeField = findField(fields, "Content-Type");
    const ContentType type = parseContentType(typeField ? *typeField : std::string_view());
    const auto encodingField = findField(fields, "Content-Transfer-Encoding");
    const auto dispositionField = findField(fields, "Content-Disposition");
    const ContentType disposition =
        dispositionField ? parseContentType(*dispositionField) : ContentType{"inline", "", {}};
    part.contentType = type.mimeType();
    part.transferEncoding = encodingField ? toLowerAscii(trimWhite(*encodingField)) : std::string();
    part.charset = type.param("charset");
    std::string fileName = disposition.param("filename");
    if (fileName.empty())
        fileName = type.param("name");
    part.fileName = decodeEncodedWords(fileName);
    // A text part is text/* not marked as an attachment; everything else (images, messages,
    // multiparts nested too deep) is an attachment.
    part.isText = type.type == "text" && disposition.type != "attachment";
    if (part.isText) {
        std::string text = decodeEntityText(body, part.transferEncoding, part.charset);
        // The line end before a boundary belongs to the boundary; what is left is the text.
        part.lines = splitLines(text);
    }
    return part;
}

void collectMimeParts(std::string_view body, std::string_view boundary, std::vector<MailPart>& parts,
                      int depth)
{
    size_t pos = 0;
    size_t partStart = std::string_view::npos; // start of the current part's entity
    while (pos < body.size()) {
        const size_t eol = body.find('\n', pos);
        const size_t end = eol == std::string_view::npos ? body.size() : eol;
        std::string_view line = body.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const BoundaryLine kind = classifyLine(line, boundary);
        if (kind != BoundaryLine::None) {
            if (partStart != std::string_view::npos) {
                // The CR LF before the boundary line is part of the boundary.
                size_t partEnd = pos;
                if (partEnd > partStart && body[partEnd - 1] == '\n')
                    --partEnd;
                if (partEnd > partStart && body[partEnd - 1] == '\r')
                    --partEnd;
                addEntity(body.substr(partStart, partEnd - partStart), parts, depth);
            }
            if (kind == BoundaryLine::Close)
                return;
            partStart = eol == std::string_view::npos ? body.size() : eol + 1;
        }
        if (eol == std::string_view::npos)
            break;
        pos = eol + 1;
    }
    // A message cut short (no closing boundary): keep the last part as far as it goes.
    if (partStart != std::string_view::npos && partStart < body.size())
        addEntity(body.substr(partStart), parts, depth);
}

} // namespace narrix::net
