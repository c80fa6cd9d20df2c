// The cleaner of a long text's rest: pieces clean as the whole would, and abandoned texts are
// never handed over.
#include "speech/rest_cleaner.h"

#include "speech/speech_text_cleanup.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

namespace narrix {
namespace {

// Several pieces long, with what the clean-up rules look at across the whole of it.
std::string awkwardText(std::size_t bytes)
{
    static const char* const parts[] = {"  Leading... ",
                                        "The U.S. office ==== closed!. ",
                                        "Wait.... ",
                                        "caf\xC3\xA9 it\xE2\x80\x99s ",
                                        "a--b ---- ",
                                        "x. . .y\n\n",
                                        "Stra\xC3\x9F"
                                        "e \xE2\x82\xAC"
                                        "5 cafe\xCC\x81 "};
    std::string text;
    for (std::size_t i = 0; text.size() < bytes; ++i)
        text += parts[i % std::size(parts)];
    return text;
}

struct Handed
{
    std::string whole;
    std::size_t firstBytes = 0;
};

TEST(RestCleaner, CleansTheRestInPiecesExactlyAsTheWholeText)
{
    const std::string text = awkwardText(3 << 20);
    for (const AsciiFolding folding :
         {AsciiFolding::LettersAndSymbols, AsciiFolding::Letters, AsciiFolding::None}) {
        std::vector<Handed> handed;
        RestCleaner cleaner([&](std::string whole, std::size_t firstBytes) {
            handed.push_back({std::move(whole), firstBytes});
        });
        QSignalSpy finished(&cleaner, &RestCleaner::finished);
        const std::size_t cut = speechTextCut(text, 64 << 10);
        ASSERT_NE(cut, std::string::npos);
        std::string first = text.substr(0, cut);
        CleanSpeechTextInPlace(first, folding);
        const std::size_t firstBytes = first.size();
        cleaner.start(text, cut, std::move(first), folding);
        ASSERT_TRUE(finished.wait(20000));
        EXPECT_TRUE(finished.at(0).at(0).toBool());
        ASSERT_EQ(handed.size(), 1u);
        EXPECT_EQ(handed[0].firstBytes, firstBytes);
        EXPECT_TRUE(handed[0].whole == CleanSpeechText(text, folding))
            << "folding " << static_cast<int>(folding);
    }
}

TEST(RestCleaner, ANewTextOrCancelAbandonsTheOneBefore)
{
    const std::string text = awkwardText(4 << 20);
    const std::size_t cut = speechTextCut(text, 64 << 10);
    int handedOver = 0;
    std::size_t lastSize = 0;
    RestCleaner cleaner([&](std::string whole, std::size_t) {
        ++handedOver;
        lastSize = whole.size();
    });
    QSignalSpy finished(&cleaner, &RestCleaner::finished);
    for (int i = 0; i < 5; ++i)
        cleaner.start(text, cut, text.substr(0, cut), AsciiFolding::None);
    const std::string shortRest = text.substr(0, cut + 100);
    cleaner.start(shortRest, cut, text.substr(0, cut), AsciiFolding::None);
    while (finished.count() < 6)
        ASSERT_TRUE(finished.wait(20000));
    ASSERT_EQ(finished.count(), 6);
    EXPECT_EQ(handedOver, 1);
    std::string rest = shortRest.substr(cut);
    CleanSpeechTextInPlace(rest, AsciiFolding::None, false);
    EXPECT_EQ(lastSize, cut + rest.size()); // the last text's, with its first part as given

    cleaner.start(text, cut, text.substr(0, cut), AsciiFolding::None);
    cleaner.cancel();
    ASSERT_TRUE(finished.count() == 7 || finished.wait(20000));
    EXPECT_FALSE(finished.last().at(0).toBool());
    EXPECT_EQ(handedOver, 1);
}

} // namespace
} // namespace narrix
