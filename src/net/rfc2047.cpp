#include "net/rfc2047.h"

#include "net/net_text.h"

#include "net/charset.h"
#include "net/transfer_decoding.h"

#include <cctype>
#include <optional>

namespace narrix::net {
namespace {

struct EncodedWord
{
    std::string_view charset;
    std::string bytes;
    size_t end = 0; // index just past "?="
};

std::string decodeQ(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '_') {
            out += ' ';
        } else if (c == '=' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 &&
                   hexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else {
            out += c;
        }
    }
    return out;
}

// Reads the encoded word that starts at `start` ("=?"); nothing if it is malformed.
std::optional<EncodedWord> readWord(std::string_view text, size_t start)
{
    const size_t q1 = text.find('?', start + 2);
    if (q1 == std::string_view::npos || q1 == start + 2)
        return std::nullopt;
    std::string_view charset = text.substr(start + 2, q1 - start - 2);
    for (const char c : charset) {
        if (static_cast<unsigned char>(c) <= 0x20 || c == '=' || c == '"' || c == '(' || c == ')')
            return std::nullopt;
    }
    if (q1 + 2 >= text.size() || text[q1 + 2] != '?')
        return std::nullopt;
    const char encoding = text[q1 + 1];
    const size_t payloadStart = q1 + 3;
    const size_t close = text.find("?=", payloadStart);
    if (close == std::string_view::npos)
        return std::nullopt;
    const std::string_view payload = text.substr(payloadStart, close - payloadStart);
    for (const char c : payload) {
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n')
            return std::nullopt;
    }
    // RFC 2231 adds a language after "*": "=?utf-8*en?Q?...?="
    if (const size_t star = charset.find('*'); star != std::string_view::npos)
        charset = charset.substr(0, star);
    EncodedWord word;
    word.charset = charset;
    if (encoding == 'Q' || encoding == 'q')
        word.bytes = decodeQ(payload);
    else if (encoding == 'B' || encoding == 'b')
        word.bytes = decodeBase64(payload);
    else
        return std::nullopt;
    word.end = close + 2;
    return word;
}

bool equalsCharset(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto x = static_cast<unsigned char>(a[i]);
        const auto y = static_cast<unsigned char>(b[i]);
        if (std::tolower(x) != std::tolower(y))
            return false;
    }
    return true;
}

bool isLinearBlank(std::string_view s)
{
    for (const char c : s) {
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            return false;
    }
    return true;
}

} // namespace

std::string decodeEncodedWords(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    std::string pending; // raw bytes of adjacent words in one character set
    std::string pendingCharset;
    bool lastWasWord = false;
    auto flush = [&] {
        if (!pending.empty())
            out += charsetToUtf8(pending, pendingCharset);
        pending.clear();
    };
    size_t pos = 0;
    size_t plainStart = 0;
    while (pos < text.size()) {
        const size_t at = text.find("=?", pos);
        if (at == std::string_view::npos)
            break;
        const auto word = readWord(text, at);
        if (!word) {
            pos = at + 2;
            continue;
        }
        const std::string_view between = text.substr(plainStart, at - plainStart);
        if (!(lastWasWord && isLinearBlank(between))) {
            flush();
            out += looseToUtf8(between);
        }
        if (!pending.empty() && !equalsCharset(pendingCharset, word->charset))
            flush();
        pendingCharset = std::string(word->charset);
        pending += word->bytes;
        lastWasWord = true;
        pos = word->end;
        plainStart = pos;
    }
    flush();
    out += looseToUtf8(text.substr(plainStart));
    std::string cleaned;
    cleaned.reserve(out.size());
    for (const char c : out) {
        if (c != '\0')
            cleaned += c;
    }
    return cleaned;
}

} // namespace narrix::net
