#include "base/text_encoding.h"

#include "base/utf8.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>

namespace narrix {
namespace {

// How far into a page a <meta> charset is looked for. Browsers look at the first 1024 bytes; real
// pages often carry long scripts before it, so we allow more. Bounded, so the search stays cheap.
constexpr size_t kMetaScanLimit = 8192;

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

char lowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isLabelChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == '.' || c == ':';
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

// Lower-cased label without blanks or quotes around it.
std::string normaliseLabel(std::string_view label)
{
    while (!label.empty() && (isSpace(label.front()) || label.front() == '"' || label.front() == '\''))
        label.remove_prefix(1);
    while (!label.empty() && (isSpace(label.back()) || label.back() == '"' || label.back() == '\''))
        label.remove_suffix(1);
    std::string out(label);
    for (char& c : out)
        c = lowerAscii(c);
    return out;
}

size_t findCaseInsensitive(std::string_view haystack, std::string_view lowerNeedle, size_t from)
{
    if (lowerNeedle.size() > haystack.size())
        return std::string_view::npos;
    for (size_t i = from; i + lowerNeedle.size() <= haystack.size(); ++i) {
        size_t k = 0;
        while (k < lowerNeedle.size() && lowerAscii(haystack[i + k]) == lowerNeedle[k])
            ++k;
        if (k == lowerNeedle.size())
            return i;
    }
    return std::string_view::npos;
}

enum class Known { Utf8, Windows1252, Other };

Known classify(const std::string& label)
{
    static constexpr std::array<std::string_view, 3> utf8{"utf-8", "utf8", "unicode-1-1-utf-8"};
    // Labels that browsers read as Windows-1252, which is a superset of Latin-1 and ASCII.
    static constexpr std::array<std::string_view, 14> cp1252{
        "windows-1252", "cp1252",   "x-cp1252", "iso-8859-1", "iso8859-1", "iso_8859-1", "latin1",
        "l1",           "us-ascii", "ascii",    "cp819",      "ibm819",    "iso-ir-100", "x-user-defined"};
    for (auto name : utf8)
        if (label == name)
            return Known::Utf8;
    for (auto name : cp1252)
        if (label == name)
            return Known::Windows1252;
    return Known::Other;
}

std::string decodeWith(QStringDecoder& decoder, std::string_view bytes)
{
    const QString text = decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    const QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), static_cast<size_t>(utf8.size()));
}

std::string utf8WithReplacement(std::string_view bytes)
{
    if (bytes.starts_with(kUtf8Bom))
        bytes.remove_prefix(kUtf8Bom.size());
    if (isValidUtf8(bytes))
        return std::string(bytes);
    QStringDecoder decoder(QStringDecoder::Utf8);
    return decodeWith(decoder, bytes);
}

std::optional<std::string> decodeNamed(std::string_view bytes, const std::string& label)
{
    switch (classify(label)) {
    case Known::Utf8:
        return utf8WithReplacement(bytes);
    case Known::Windows1252:
        return windows1252ToUtf8(bytes);
    case Known::Other:
        break;
    }
    QStringDecoder decoder(label.c_str());
    if (!decoder.isValid())
        return std::nullopt;
    return decodeWith(decoder, bytes);
}

bool isKnownCharset(const std::string& label)
{
    return !label.empty() && (classify(label) != Known::Other || QStringDecoder(label.c_str()).isValid());
}

// Reads the charset label that follows "charset" at `at` in a tag: blanks, "=", blanks, an optional
// quote, then the label itself.
std::string labelAfterCharset(std::string_view tag, size_t at)
{
    size_t i = at + std::strlen("charset");
    while (i < tag.size() && isSpace(tag[i]))
        ++i;
    if (i >= tag.size() || tag[i] != '=')
        return {};
    ++i;
    while (i < tag.size() && (isSpace(tag[i]) || tag[i] == '"' || tag[i] == '\''))
        ++i;
    const size_t start = i;
    while (i < tag.size() && isLabelChar(tag[i]))
        ++i;
    return normaliseLabel(tag.substr(start, i - start));
}

} // namespace

bool isValidUtf8(std::string_view bytes) noexcept
{
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t n = bytes.size();
    size_t i = 0;
    while (i < n) {
        // ASCII runs, eight bytes at a time.
        while (i + 8 <= n) {
            std::uint64_t word;
            std::memcpy(&word, s + i, sizeof word);
            if ((word & 0x8080808080808080ULL) != 0)
                break;
            i += 8;
        }
        if (i >= n)
            break;
        const size_t len = utf8SequenceLength(bytes, i);
        if (len == 0)
            return false;
        i += len;
    }
    return true;
}

std::string windows1252ToUtf8(std::string_view bytes)
{
    // 0x80-0x9F; the five codes Windows leaves undefined map to the C1 controls of the same value.
    static constexpr std::array<char16_t, 32> high{
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out.push_back(ch);
            continue;
        }
        appendUtf8(out, c < 0xA0 ? high[c - 0x80] : c);
    }
    return out;
}

std::string findMetaCharset(std::string_view html)
{
    const std::string_view head = html.substr(0, kMetaScanLimit);
    size_t at = 0;
    while ((at = findCaseInsensitive(head, "<meta", at)) != std::string_view::npos) {
        at += 5;
        if (at < head.size() && !isSpace(head[at]) && head[at] != '/')
            continue; // "<metadata" and the like
        size_t end = head.find('>', at);
        if (end == std::string_view::npos)
            end = head.size();
        const std::string_view tag = head.substr(at, end - at);
        size_t c = 0;
        while ((c = findCaseInsensitive(tag, "charset", c)) != std::string_view::npos) {
            std::string label = labelAfterCharset(tag, c);
            if (!label.empty())
                return label;
            c += 7;
        }
        at = end;
    }
    return {};
}

std::string decodeUnlabelledToUtf8(std::string_view bytes)
{
    if (bytes.starts_with(kUtf8Bom))
        return utf8WithReplacement(bytes);
    if (bytes.starts_with("\xFF\xFE")) {
        QStringDecoder decoder(QStringDecoder::Utf16LE);
        return decodeWith(decoder, bytes);
    }
    if (bytes.starts_with("\xFE\xFF")) {
        QStringDecoder decoder(QStringDecoder::Utf16BE);
        return decodeWith(decoder, bytes);
    }
    if (isValidUtf8(bytes))
        return std::string(bytes);
    return windows1252ToUtf8(bytes);
}

std::string decodeUnlabelledLinesToUtf8(std::string_view bytes)
{
    if (bytes.starts_with(kUtf8Bom) || bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF") ||
        isValidUtf8(bytes))
        return decodeUnlabelledToUtf8(bytes);
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    while (!bytes.empty()) {
        const size_t end = std::min(bytes.find_first_of("\r\n"), bytes.size());
        const std::string_view line = bytes.substr(0, end);
        if (isValidUtf8(line))
            out.append(line);
        else
            out += windows1252ToUtf8(line);
        const size_t next = std::min(bytes.find_first_not_of("\r\n", end), bytes.size());
        out.append(bytes.substr(end, next - end));
        bytes.remove_prefix(next);
    }
    return out;
}

std::string decodeToUtf8(std::string_view bytes, std::string_view declaredCharset)
{
    // A byte-order mark is the strongest sign there is, as in browsers.
    if (bytes.starts_with(kUtf8Bom) || bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF"))
        return decodeUnlabelledToUtf8(bytes);
    std::string label = normaliseLabel(declaredCharset);
    if (!isKnownCharset(label)) {
        label = findMetaCharset(bytes);
        // A <meta> that could be read as ASCII cannot truthfully name a 16-bit encoding.
        if (label.starts_with("utf-16"))
            label = "utf-8";
        if (!isKnownCharset(label))
            label.clear();
    }
    // Valid UTF-8 stays UTF-8 whatever an 8-bit label says: pages in UTF-8 served with a server's
    // default Latin-1 label are common, while 8-bit text that happens to be valid UTF-8 is all but
    // unknown. Only a 16- or 32-bit label is believed against it (its ASCII bytes alternate with zeros,
    // which is valid UTF-8 too), or a 7-bit stateful encoding (ISO-2022-JP, UTF-7, HZ), whose text is
    // all ASCII bytes and so always valid UTF-8.
    const bool wide = label.starts_with("utf-16") || label.starts_with("utf-32") ||
                      label.starts_with("ucs-") || label == "unicode";
    const bool sevenBit = label.starts_with("iso-2022-") || label == "utf-7" || label == "hz-gb-2312";
    if (!wide && !sevenBit && isValidUtf8(bytes))
        return std::string(bytes);
    if (!label.empty()) {
        if (auto text = decodeNamed(bytes, label))
            return *std::move(text);
    }
    return windows1252ToUtf8(bytes);
}

} // namespace narrix
