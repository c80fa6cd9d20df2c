#include "net/charset.h"

#include "base/text_encoding.h"

#include <QByteArray>
#include <QStringDecoder>

namespace narrix::net {
namespace {

bool isAscii(std::string_view bytes)
{
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

std::string lowerLabel(std::string_view charset)
{
    std::string lower(charset);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

bool isAsciiLabel(const std::string& lower)
{
    return lower == "us-ascii" || lower == "ascii";
}

// Encodings whose bytes are all 7-bit, so "valid UTF-8" says nothing about them: they are
// decoded by name before anything else is tried (Japanese mail is mostly ISO-2022-JP).
bool isSevenBitEncoding(const std::string& lower)
{
    return lower.starts_with("iso-2022-") || lower == "utf-7" || lower == "hz-gb-2312";
}

} // namespace

std::string looseToUtf8(std::string_view bytes)
{
    if (isAscii(bytes))
        return std::string(bytes);
    return decodeUnlabelledToUtf8(bytes);
}

std::string charsetToUtf8(std::string_view bytes, std::string_view charset)
{
    // An empty label, or US-ASCII on 8-bit text (a common mislabel), says nothing useful. Other
    // labels are honoured even on 7-bit bytes: ISO-2022-JP and UTF-7 are 7-bit encodings.
    const std::string label = lowerLabel(charset);
    if (label.empty() || isAsciiLabel(label))
        return looseToUtf8(bytes);
    if (isSevenBitEncoding(label)) {
        QStringDecoder decoder(label.c_str());
        if (decoder.isValid()) {
            const QString text =
                decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
            const QByteArray utf8 = text.toUtf8();
            return std::string(utf8.constData(), static_cast<size_t>(utf8.size()));
        }
    }
    return decodeToUtf8(bytes, charset);
}

} // namespace narrix::net
