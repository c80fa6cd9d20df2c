// Follow-along reading: the engine's sentence positions mapped back to the editor's.
#include "speech/follow_along.h"

#include "fakes/fake_speech_engine.h"
#include "speech/fake_reading_host.h"
#include "speech/follow_along_map.h"
#include "speech/reading_control.h"
#include "speech/speech_text_cleanup.h"

#include <QString>

#include <gtest/gtest.h>

namespace narrix {
namespace {

using testing::FakeReadingHost;
using testing::FakeSpeechEngine;

// Every word of `original` is found where the clean-up put it and mapped back to where it stood.
TEST(FollowAlongMap, WordsMapBackToTheirPlaceWhateverTheCleanUpChanged)
{
    struct Case
    {
        const char* name;
        const char* original;
        AsciiFolding folding;
    };
    constexpr AsciiFolding english = AsciiFolding::LettersAndSymbols;
    const Case cases[] = {
        {"nothing changed", "One sentence. Two sentences.", english},
        {"leading blanks and punctuation removed", " ;.,' Start here. Then more.", english},
        {"the dots of U.S. removed", "The U.S. flag. The U.S. anthem and more.", english},
        {"characters beyond ASCII folded or blanked", "Caf\xC3\xA9 au lait \xE2\x80\x94 cr\xC3\xA8me. End.",
         english},
        {"letters spelled longer, marks dropped",
         "Stra\xC3\x9F"
         "e am M\xC3\xBC"
         "hlbach, cafe\xCC\x81 noir. End.",
         english},
        {"symbols kept",
         "Costs \xE2\x82\xAC"
         "5 at 30\xC2\xB0 today. Fine.",
         english},
        {"symbols blanked for a voice that cannot read them",
         "Costs \xE2\x82\xAC"
         "5 at 30\xC2\xB0 today.",
         AsciiFolding::Letters},
        {"beyond the first plane, one unit less",
         "Smile \xF0\x9F\x98\x8A now. \xF0\x9F\x98\x8A\xF0\x9F\x98\x8A Again.", english},
        {"kept beyond ASCII when not English", "Gr\xC3\xBC\xC3\x9F Gott. \xF0\x9F\x98\x8A Servus U.S. Ende.",
         AsciiFolding::None},
        {"runs and dots blanked in place", "Title ====== Wait.... Next! And? Last.", english},
        {"line breaks", "First line\r\nsecond line.\n\nThird.", english},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string original = c.original;
        const std::string cleaned = CleanSpeechText(original, c.folding);
        const QString originalText = QString::fromStdString(original);
        const QString cleanedText = QString::fromStdString(cleaned);
        const qsizetype base = 7;
        const FollowAlongMap map(original, cleaned, base);
        EXPECT_EQ(map.cleanedLength(), cleanedText.size());
        qsizetype from = 0;
        qsizetype cleanedFrom = 0;
        for (const QString& word : originalText.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            // The word's leading ASCII letters, which stand as they are in both texts.
            QString letters;
            for (const QChar ch : word) {
                if (!ch.isLetter() || ch.unicode() >= 0x80)
                    break;
                letters += ch;
            }
            if (letters.size() < 2 || letters.contains(QLatin1Char('U')))
                continue;
            const qsizetype inOriginal = originalText.indexOf(letters, from);
            const qsizetype inCleaned = cleanedText.indexOf(letters, cleanedFrom);
            ASSERT_GE(inOriginal, 0);
            ASSERT_GE(inCleaned, 0) << letters.toStdString();
            EXPECT_EQ(map.toDocument(inCleaned), base + inOriginal) << letters.toStdString();
            from = inOriginal + letters.size();
            cleanedFrom = inCleaned + letters.size();
        }
    }
}

class FollowAlongTest : public ::testing::Test
{
protected:
    FollowAlongTest()
    {
        QObject::connect(&control.followAlong(), &FollowAlong::reading, &control,
                         [this](qsizetype start, qsizetype end) { shown.emplace_back(start, end); });
        QObject::connect(&control.followAlong(), &FollowAlong::cleared, &control, [this] { ++clears; });
    }

    // The engine begins the sentence of its last text that starts at `word` in what it was given.
    void hear(const QString& word)
    {
        const QString spoken = engine.spoken.back();
        const qsizetype at = spoken.indexOf(word);
        ASSERT_GE(at, 0);
        Q_EMIT engine.OnSentence(engine.LastQueuedText(), at, at + word.size());
    }

    ReadingState state;
    FakeSpeechEngine engine;
    FakeReadingHost host;
    ReadingControl control{state, engine, host};
    std::vector<std::pair<qsizetype, qsizetype>> shown;
    int clears = 0;
};

TEST_F(FollowAlongTest, SelectionAndCleanedTextMapToEditorPositions)
{
    // The editor: "Intro. " then the selection "  The U.S. caf\u00e9 \U0001F60A. Next one."
    host.hasSelection = true;
    host.selectionStart = 7;
    host.selectedText = "  The U.S. caf\xC3\xA9 \xF0\x9F\x98\x8A. Next one.";
    control.play();
    ASSERT_EQ(engine.spoken.size(), 1);
    hear(QStringLiteral("The"));
    hear(QStringLiteral("Next"));
    const QString selection = QString::fromStdString(host.selectedText);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].first, 7 + selection.indexOf(QStringLiteral("The")));
    EXPECT_EQ(shown[1].first, 7 + selection.indexOf(QStringLiteral("Next")));
    EXPECT_EQ(shown[1].second, shown[1].first + 4);

    // Stop clears the highlight; sentences after it show nothing.
    control.stop();
    EXPECT_EQ(clears, 1);
    hear(QStringLiteral("Next"));
    EXPECT_EQ(shown.size(), 2u);
}

TEST_F(FollowAlongTest, OtherSourcesTheSwitchAndTheEndShowNothing)
{
    // Not the document.
    state.speechBuffer = "Clipboard text. More.";
    control.SpeakBuffer(SpeechSource::Clipboard);
    hear(QStringLiteral("More"));
    EXPECT_TRUE(shown.empty());

    // The whole document, switched off.
    control.followAlong().setEnabled(false);
    host.document = "Document text. More.";
    control.play();
    hear(QStringLiteral("More"));
    EXPECT_TRUE(shown.empty());

    // Switched on: followed until the reading is done.
    control.followAlong().setEnabled(true);
    control.onSpeakingDone();
    control.play();
    hear(QStringLiteral("More"));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].first, 15);
    control.onSpeakingDone();
    EXPECT_EQ(clears, 1);
    hear(QStringLiteral("More"));
    EXPECT_EQ(shown.size(), 1u);
}

} // namespace
} // namespace narrix
