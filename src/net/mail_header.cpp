#include "net/mail_header.h"

#include "net/net_text.h"

#include "net/http_response_head.h"

namespace narrix::net {
namespace {

bool isTSpecial(char c)
{
    return std::string_view("()<>@,;:\\\"/[]?=").find(c) != std::string_view::npos;
}

} // namespace

void splitHeaderAndBody(std::string_view entity, std::string_view& header, std::string_view& body)
{
    size_t pos = 0;
    while (pos < entity.size()) {
        size_t eol = entity.find('\n', pos);
        const size_t end = eol == std::string_view::npos ? entity.size() : eol;
        std::string_view line = entity.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty()) {
            header = entity.substr(0, pos);
            body = eol == std::string_view::npos ? std::string_view() : entity.substr(eol + 1);
            return;
        }
        if (eol == std::string_view::npos)
            break;
        pos = eol + 1;
    }
    header = entity;
    body = std::string_view();
}

std::vector<MailHeaderField> parseHeaderFields(std::string_view header)
{
    std::vector<MailHeaderField> fields;
    size_t pos = 0;
    while (pos < header.size()) {
        size_t eol = header.find('\n', pos);
        const size_t end = eol == std::string_view::npos ? header.size() : eol;
        std::string_view line = header.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty())
            break;
        if (line.front() == ' ' || line.front() == '\t') {
            if (!fields.empty()) {
                const std::string_view more = trimWhite(line);
                auto& value = fields.back().value;
                if (!more.empty()) {
                    if (!value.empty())
                        value += ' ';
                    value += more;
                }
            }
            continue;
        }
        const size_t colon = line.find(':');
        if (colon == std::string_view::npos)
            continue; // not a field (an mbox "From " line, garbage): skipped
        const std::string_view name = trimWhite(line.substr(0, colon));
        if (name.empty())
            continue;
        fields.push_back({std::string(name), std::string(trimWhite(line.substr(colon + 1)))});
    }
    return fields;
}

std::optional<std::string_view> findField(const std::vector<MailHeaderField>& fields, std::string_view name)
{
    for (const auto& f : fields) {
        if (equalsIgnoringAsciiCase(f.name, name))
            return std::string_view(f.value);
    }
    return std::nullopt;
}

std::string ContentType::param(const std::string& name) const
{
    const auto it = params.find(name);
    return it == params.end() ? std::string() : it->second;
}

ContentType parseContentType(std::string_view value)
{
    ContentType ct;
    const size_t semi = value.find(';');
    const std::string_view mime = trimWhite(value.substr(0, semi));
    const size_t slash = mime.find('/');
    if (slash != std::string_view::npos && slash > 0 && slash + 1 < mime.size()) {
        ct.type = toLowerAscii(trimWhite(mime.substr(0, slash)));
        ct.subtype = toLowerAscii(trimWhite(mime.substr(slash + 1)));
    } else if (!mime.empty() && slash == std::string_view::npos) {
        ct.type = toLowerAscii(mime); // a disposition ("attachment") has no subtype
        ct.subtype.clear();
    }
    if (semi == std::string_view::npos)
        return ct;
    size_t pos = semi + 1;
    while (pos < value.size()) {
        while (pos < value.size() && (value[pos] == ' ' || value[pos] == '\t' || value[pos] == ';'))
            ++pos;
        const size_t nameStart = pos;
        while (pos < value.size() && value[pos] != '=' && value[pos] != ';')
            ++pos;
        std::string name = toLowerAscii(trimWhite(value.substr(nameStart, pos - nameStart)));
        if (pos >= value.size() || value[pos] != '=') {
            continue;
        }
        ++pos; // '='
        while (pos < value.size() && (value[pos] == ' ' || value[pos] == '\t'))
            ++pos;
        std::string paramValue;
        if (pos < value.size() && value[pos] == '"') {
            ++pos;
            while (pos < value.size() && value[pos] != '"') {
                if (value[pos] == '\\' && pos + 1 < value.size())
                    ++pos;
                paramValue += value[pos++];
            }
            if (pos < value.size())
                ++pos; // closing quote
            while (pos < value.size() && value[pos] != ';')
                ++pos;
        } else {
            const size_t start = pos;
            while (pos < value.size() && value[pos] != ';')
                ++pos;
            paramValue = std::string(trimWhite(value.substr(start, pos - start)));
        }
        // RFC 2231 "name*=charset'lang'value" and "name*0=": keep the plain name, drop the tags.
        if (!name.empty() && name.back() == '*') {
            name.pop_back();
            const size_t q1 = paramValue.find('\'');
            const size_t q2 = q1 == std::string::npos ? q1 : paramValue.find('\'', q1 + 1);
            if (q2 != std::string::npos)
                paramValue.erase(0, q2 + 1);
        }
        bool token = !name.empty();
        for (const char c : name)
            token = token && !isTSpecial(c);
        if (token && !ct.params.count(name))
            ct.params.emplace(std::move(name), std::move(paramValue));
    }
    return ct;
}

std::vector<std::string> splitLines(std::string_view text)
{
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t eol = text.find('\n', pos);
        const size_t end = eol == std::string_view::npos ? text.size() : eol;
        size_t stop = end;
        if (stop > pos && text[stop - 1] == '\r')
            --stop;
        lines.emplace_back(text.substr(pos, stop - pos));
        pos = end + 1;
    }
    return lines;
}

} // namespace narrix::net
