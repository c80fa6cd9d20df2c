// Encoded words and the transfer decodings: output is UTF-8 without NULs and never grows beyond
// what the input can give.
#include "net/rfc2047.h"
#include "net/transfer_decoding.h"

#include <QByteArray>
#include <QStringDecoder>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace narrix::net;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::string decoded = decodeEncodedWords(input);
    if (decoded.find('\0') != std::string::npos)
        std::abort();
    QStringDecoder utf8(QStringDecoder::Utf8);
    (void)utf8.decode(QByteArrayView(decoded.data(), static_cast<qsizetype>(decoded.size())));
    if (utf8.hasError())
        std::abort();
    if (decodeQuotedPrintable(input).size() > input.size())
        std::abort();
    if (decodeBase64(input).size() > input.size() * 3 / 4 + 3)
        std::abort();
    return 0;
}
