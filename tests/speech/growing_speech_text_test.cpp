// A text for speech that arrives in pieces is cleaned part by part exactly as it would be whole,
// wherever the pieces break it (mid-word, inside a run of dashes, between "U." and "S.", inside a
// UTF-8 character), and the first part keeps the leading-junk rule.
#include "speech/growing_speech_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace narrix {
namespace {

// `text` given to a GrowingSpeechText in pieces of `size` bytes: the parts it hands out, joined.
std::string cleanedInPieces(const std::string& text, std::size_t size, AsciiFolding folding,
                            std::size_t* parts)
{
    GrowingSpeechText growing(folding);
    std::string joined;
    *parts = 0;
    for (std::size_t at = 0; at < text.size(); at += size) {
        const std::string part = growing.take(std::string_view(text).substr(at, size));
        *parts += part.empty() ? 0 : 1;
        joined += part;
    }
    joined += growing.rest();
    return joined;
}

TEST(GrowingSpeechText, PiecesCleanAsTheWholeText)
{
    const struct
    {
        const char* name;
        std::string text;
        AsciiFolding folding;
    } cases[] = {
        {"leading junk, ellipses and dots", " ,;'...Hello!. Wait.... and \n\n. then U.S. Army aU.S.x",
         AsciiFolding::None},
        {"long runs", "Title\n==========\nsome a--b text ----- end *** x+++y", AsciiFolding::None},
        {"beyond ASCII, English voice",
         "Caf\xC3\xA9 na\xC3\xAFve \xE2\x80\x99quoted\xC2\xB4 \xE2\x82\xAC 5 Stra\xC3\x9F"
         "e ok",
         AsciiFolding::LettersAndSymbols},
        {"beyond ASCII, other voice", "Gr\xC3\xBC\xC3\x9F dich. Zweiter Satz! \xF0\x9F\x98\x8A Ende.",
         AsciiFolding::None},
        {"no place to cut", "... --- !!! ??? ... ,,, ;;;", AsciiFolding::None},
        {"only junk", " ,.;'", AsciiFolding::None},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string text;
        for (int i = 0; i < 20; ++i)
            text += c.text + "\n";
        const std::string whole = CleanSpeechText(text, c.folding);
        for (const std::size_t size :
             {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{7}, std::size_t{64}, text.size()}) {
            SCOPED_TRACE(size);
            std::size_t parts = 0;
            EXPECT_EQ(cleanedInPieces(text, size, c.folding, &parts), whole);
            // Text with places to cut is handed out as it comes, not all at the end.
            if (size < text.size() / 4 &&
                whole.find_first_of("abcdefghijklmnopqrstuvwxyz") != std::string::npos) {
                EXPECT_GT(parts, 2u);
            }
        }
    }
}

} // namespace
} // namespace narrix
