#include "net/charset.h"

#include <QByteArray>
#include <QStringDecoder>

namespace narrix::net {
namespace {

bool isValidUtf8(std::string_view bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return !decoder.hasError();
}

bool isAscii(std::string_view bytes)
{
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

std::string decodeWith(QStringDecoder& decoder, std::string_view bytes)
{
    const QString text = decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    const QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), static_cast<size_t>(utf8.size()));
}

} // namespace

std::string looseToUtf8(std::string_view bytes)
{
    if (isAscii(bytes) || isValidUtf8(bytes))
        return std::string(bytes);
    QStringDecoder decoder("windows-1252");
    return decodeWith(decoder, bytes);
}

std::string charsetToUtf8(std::string_view bytes, std::string_view charset)
{
    if (charset.empty() || bytes.empty())
        return looseToUtf8(bytes);
    const QByteArray name(charset.data(), static_cast<qsizetype>(charset.size()));
    QStringDecoder decoder(name.constData());
    if (!decoder.isValid())
        return looseToUtf8(bytes);
    // US-ASCII labels often hide 8-bit text; only pure ASCII is taken at its word.
    const QByteArray lower = name.toLower();
    if ((lower == "us-ascii" || lower == "ascii") && !isAscii(bytes))
        return looseToUtf8(bytes);
    return decodeWith(decoder, bytes);
}

} // namespace narrix::net
