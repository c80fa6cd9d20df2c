// The SpeakBuffer clean-up and the sentence walk on arbitrary bytes: no crash, and the properties
// every cleaned text has. The first byte picks the English-locale rule.
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
    const bool english = (data[0] & 1) != 0;
    const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::string cleaned = narrix::CleanSpeechText(input, english);

    check(cleaned.size() <= input.size());
    if (!cleaned.empty())
        check(std::string_view(" ',.;").find(cleaned.front()) == std::string_view::npos);
    for (std::size_t i = 0; i + 2 < cleaned.size(); ++i) {
        const char c = cleaned[i];
        check(!(isRunCharacter(c) && cleaned[i + 1] == c && cleaned[i + 2] == c));
        check(!(c == '.' && cleaned[i + 1] == '.' && cleaned[i + 2] == '.' && i + 3 < cleaned.size() &&
                cleaned[i + 3] == '.'));
    }
    if (english) {
        for (char c : cleaned)
            check(static_cast<unsigned char>(c) < 0x80);
    }
    std::string again = cleaned;
    narrix::CleanSpeechTextInPlace(again, english);
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
