#include "net/mail_address.h"

#include "net/net_text.h"

#include "net/rfc2047.h"

#include <QString>

namespace narrix::net {
namespace {

// Removes quotes (keeping their text, unescaped) and comments; collapses nothing else.
std::string unquote(std::string_view s, std::string* comment = nullptr)
{
    std::string out;
    out.reserve(s.size());
    int depth = 0;
    bool quoted = false;
    for (size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '\\' && i + 1 < s.size() && (quoted || depth > 0)) {
            ++i;
            (depth > 0 && comment ? *comment : out) += s[i];
            continue;
        }
        if (quoted) {
            if (c == '"')
                quoted = false;
            else
                out += c;
        } else if (depth > 0) {
            if (c == '(')
                ++depth;
            else if (c == ')')
                --depth;
            if (depth > 0 && comment)
                *comment += c;
        } else if (c == '"') {
            quoted = true;
        } else if (c == '(') {
            depth = 1;
        } else {
            out += c;
        }
    }
    return out;
}

std::string upper(std::string_view s)
{
    std::string out(s);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

bool needsQuotes(const std::string& name)
{
    const QString text = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u < 0x80) {
            const char c = static_cast<char>(u);
            const bool alnum = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
            if (!alnum && c != ' ' &&
                std::string_view("!#$%&'*+-/=?_`{}|~").find(c) == std::string_view::npos)
                return true;
        } else if (!ch.isLetterOrNumber() && !ch.isMark() && !ch.isSurrogate()) {
            return true;
        }
    }
    return false;
}

} // namespace

MailAddress parseMailAddress(std::string_view value)
{
    // Find the first top-level comma (a list of mailboxes) and the angle bracket, outside quotes
    // and comments.
    size_t angle = std::string_view::npos;
    size_t end = value.size();
    int depth = 0;
    bool quoted = false;
    for (size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '\\' && (quoted || depth > 0)) {
            ++i;
            continue;
        }
        if (quoted) {
            quoted = c != '"';
        } else if (depth > 0) {
            depth += c == '(' ? 1 : c == ')' ? -1 : 0;
        } else if (c == '"') {
            quoted = true;
        } else if (c == '(') {
            depth = 1;
        } else if (c == '<' && angle == std::string_view::npos) {
            angle = i;
        } else if (c == ',' && angle == std::string_view::npos) {
            end = i;
            break;
        } else if (c == '>' && angle != std::string_view::npos) {
            end = i + 1;
            break;
        }
    }
    MailAddress result;
    const std::string_view mailbox = value.substr(0, end);
    if (angle != std::string_view::npos && angle < end) {
        std::string_view inside = mailbox.substr(angle + 1);
        if (const size_t close = inside.find('>'); close != std::string_view::npos)
            inside = inside.substr(0, close);
        result.address = std::string(trimWhite(unquote(trimWhite(inside))));
        const std::string rawName = std::string(trimWhite(mailbox.substr(0, angle)));
        // Decode before unquoting would let encoded text pose as syntax; decode each piece after.
        result.name = std::string(trimWhite(decodeEncodedWords(unquote(rawName))));
    } else {
        std::string comment;
        result.address = std::string(trimWhite(unquote(trimWhite(mailbox), &comment)));
        result.name = std::string(trimWhite(decodeEncodedWords(comment)));
    }
    return result;
}

std::string senderText(const MailAddress& sender)
{
    if (sender.name.empty() || sender.name == upper(sender.address))
        return sender.address;
    std::string text;
    text.reserve(sender.name.size() + sender.address.size() + 8);
    if (needsQuotes(sender.name)) {
        text.push_back('"');
        for (const char c : sender.name) {
            if (c == '\\' || c == '"')
                text.push_back('\\');
            text.push_back(c);
        }
        text.push_back('"');
    } else {
        text.append(sender.name);
    }
    text.append(" <");
    text.append(sender.address);
    text.push_back('>');
    return text;
}

} // namespace narrix::net
