#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace narrix::net {

struct MailHeaderField
{
    std::string name;
    std::string value; // unfolded (RFC 5322 section 2.2.3), raw bytes, surrounding blanks removed
};

// Splits an entity (message or MIME part) at its first empty line. `body` is empty when there is
// no empty line. Lines may end in CR LF or LF.
void splitHeaderAndBody(std::string_view entity, std::string_view& header, std::string_view& body);

// Parses a header block: folded lines (starting with a blank or tab) continue the field above.
std::vector<MailHeaderField> parseHeaderFields(std::string_view header);

// The first field of that name, letter case ignored.
std::optional<std::string_view> findField(const std::vector<MailHeaderField>& fields, std::string_view name);

struct ContentType
{
    std::string type = "text";                 // lower case
    std::string subtype = "plain";             // lower case
    std::map<std::string, std::string> params; // names in lower case, values unquoted

    std::string mimeType() const { return type + "/" + subtype; }
    std::string param(const std::string& name) const;
};

// Parses a Content-Type (or Content-Disposition, which leaves the subtype empty) value
// (RFC 2045 section 5.1). A missing or unreadable type gives text/plain.
ContentType parseContentType(std::string_view value);

// Splits text into lines at LF, removing a CR before it; a last line without line end counts.
std::vector<std::string> splitLines(std::string_view text);

} // namespace narrix::net
