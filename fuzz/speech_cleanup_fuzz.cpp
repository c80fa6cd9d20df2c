// The SpeakBuffer clean-up and the sentence walk on arbitrary bytes: no crash, and the properties
// every cleaned text has. The first byte picks the folding of characters beyond ASCII.
#include "base/utf8.h"
#include "speech/latin_folding.h"
#include "speech/sentence_splitter.h"
#include "speech/speech_text_cleanup.h"

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

bool isRunCharacter(char c)
{
    return std::string_view("=*/\\#_<>-+").find(c) != std::string_view::npos;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const auto folding = static_cast<narrix::AsciiFolding>(data[0] % 3);
    const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::string cleaned = narrix::CleanSpeechText(input, folding);

    check(cleaned.size() <= input.size());
    if (!cleaned.empty())
        check(std::string_view(" ',.;").find(cleaned.front()) == std::string_view::npos);
    for (std::size_t i = 0; i + 2 < cleaned.size(); ++i) {
        const char c = cleaned[i];
        check(!(isRunCharacter(c) && cleaned[i + 1] == c && cleaned[i + 2] == c));
        check(!(c == '.' && cleaned[i + 1] == '.' && cleaned[i + 2] == '.' && i + 3 < cleaned.size() &&
                cleaned[i + 3] == '.'));
    }
    // Folded, only the spoken symbols stay beyond ASCII, and only for a voice that reads them.
    if (folding != narrix::AsciiFolding::None) {
        for (std::size_t i = 0; i < cleaned.size();) {
            std::size_t length = 1;
            const char32_t code = narrix::decodeUtf8At(cleaned, i, &length);
            check(code < 0x80 ||
                  (folding == narrix::AsciiFolding::LettersAndSymbols && narrix::isSpokenSymbol(code)));
            i += length;
        }
    }
    std::string again = cleaned;
    narrix::CleanSpeechTextInPlace(again, folding);
    check(again.size() <= cleaned.size());

    // Walking the text sentence by sentence always moves on and never leaves words out.
    const QString text = QString::fromUtf8(input.data(), static_cast<qsizetype>(input.size()));
    qsizetype from = 0;
    qsizetype covered = 0;
    for (;;) {
        const narrix::SentenceSpan span = narrix::nextSentence(text, from, 40);
        if (span.empty())
            break;
        check(span.start >= from && span.end > span.start && span.end <= text.size());
        for (qsizetype i = from; i < span.start; ++i)
            check(text[i].isSpace());
        covered += span.end - span.start;
        from = span.end;
    }
    for (qsizetype i = from; i < text.size(); ++i)
        check(text[i].isSpace());
    check(covered <= text.size());

    // The same walk over the UTF-8 bytes: on valid UTF-8 every piece starts and ends on a character
    // boundary.
    const bool valid = text.toUtf8() == QByteArray(input.data(), static_cast<qsizetype>(input.size()));
    const auto boundary = [&](qsizetype i) {
        return i <= 0 || i >= static_cast<qsizetype>(input.size()) ||
               (static_cast<unsigned char>(input[static_cast<std::size_t>(i)]) & 0xC0u) != 0x80u;
    };
    from = 0;
    for (;;) {
        const narrix::SentenceSpan span = narrix::nextSentence(input, from, 40);
        if (span.empty())
            break;
        check(span.start >= from && span.end > span.start &&
              span.end <= static_cast<qsizetype>(input.size()));
        check(!valid || (boundary(span.start) && boundary(span.end)));
        from = span.end;
    }
    return 0;
}
