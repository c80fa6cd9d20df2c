// Clipboard speech with a fake clipboard and a fake reading control.
#include "fakes/fake_clipboard.h"
#include "fakes/fake_source_speaker.h"
#include "sources/clipboard_speech.h"

#include <gtest/gtest.h>

namespace narrix {
namespace {

using testing::FakeClipboard;
using testing::FakeSourceSpeaker;
using Spoken = FakeSourceSpeaker::Spoken;

class ClipboardRig
{
public:
    FakeClipboard clipboard;
    FakeSourceSpeaker speaker;
    ClipboardSpeech speech;
    bool speechOn = true;

    void copy(std::optional<std::string> content)
    {
        clipboard.content = std::move(content);
        speech.clipboardChanged(speechOn, clipboard);
    }
    // A tick after which the engine has finished speaking.
    void tickAndFinish()
    {
        speech.tick(speaker);
        speaker.done();
    }
};

TEST(ClipboardSpeech, TheSameTextTwiceIsSpokenOnceAndABAIsSpokenThreeTimes)
{
    ClipboardRig rig;
    rig.copy("A");
    rig.tickAndFinish();
    rig.copy("A");
    rig.tickAndFinish();
    EXPECT_EQ(rig.speaker.spoken, (std::vector<Spoken>{{2, "A"}}));
    rig.copy("B");
    rig.tickAndFinish();
    rig.copy("A");
    rig.tickAndFinish();
    EXPECT_EQ(rig.speaker.spoken, (std::vector<Spoken>{{2, "A"}, {2, "B"}, {2, "A"}}));
}

TEST(ClipboardSpeech, WaitsForHigherSourcesAndSpeaksOnlyTheNewest)
{
    for (const int source : {3, 4, 5}) {
        SCOPED_TRACE(source);
        ClipboardRig rig;
        rig.speaker.current = source;
        rig.copy("first");
        rig.copy("second");
        rig.speech.tick(rig.speaker);
        rig.speech.tick(rig.speaker);
        EXPECT_TRUE(rig.speaker.spoken.empty());
        EXPECT_EQ(rig.speech.pending(), "second");
        rig.speaker.done();
        rig.speech.tick(rig.speaker);
        EXPECT_EQ(rig.speaker.spoken, (std::vector<Spoken>{{2, "second"}}));
        EXPECT_EQ(rig.speech.pending(), "");
    }
}

TEST(ClipboardSpeech, RealtimeOrClipboardSpeechDoesNotHoldANewTextBack)
{
    for (const int source : {1, 2}) {
        ClipboardRig rig;
        rig.speaker.current = source;
        rig.copy("new");
        rig.speech.tick(rig.speaker);
        EXPECT_EQ(rig.speaker.spoken, (std::vector<Spoken>{{2, "new"}}));
    }
}

TEST(ClipboardSpeech, BlankTextsImagesAndTheSwitchOff)
{
    ClipboardRig rig;
    rig.copy(" \r\n\t ");
    rig.tickAndFinish();
    EXPECT_TRUE(rig.speaker.spoken.empty());
    // Something that is not text leaves an earlier pending text as it was.
    rig.speaker.current = 4;
    rig.copy("kept");
    rig.copy(std::nullopt);
    EXPECT_EQ(rig.speech.pending(), "kept");
    rig.speaker.done();
    rig.tickAndFinish();
    // With the switch off a change records nothing.
    rig.speechOn = false;
    rig.copy("ignored");
    rig.tickAndFinish();
    EXPECT_EQ(rig.speaker.spoken, (std::vector<Spoken>{{2, "kept"}}));
}

// A password copied from a password manager carries its mark: it is neither recorded nor spoken, not
// even on request, and a text copied before it is still heard.
TEST(ClipboardSpeech, ContentMarkedSecretIsNeverSpoken)
{
    ClipboardRig rig;
    rig.speaker.current = 4;
    rig.copy("before");
    rig.clipboard.secret = true;
    rig.copy("hunter2");
    EXPECT_EQ(rig.speech.pending(), "before");
    rig.speaker.done();
    rig.tickAndFinish();
    rig.copy("hunter2 again");
    rig.tickAndFinish();
    rig.speech.whatsInTheClipboard(rig.clipboard, rig.speaker);
    rig.speaker.done();
    rig.tickAndFinish();
    rig.clipboard.secret = false;
    rig.copy("after");
    rig.tickAndFinish();
    EXPECT_EQ(rig.speaker.spoken,
              (std::vector<Spoken>{{2, "before"}, {2, ClipboardSpeech::kNoText}, {2, "after"}}));
}

TEST(ClipboardSpeech, WhatsInTheClipboard)
{
    struct Row
    {
        const char* name;
        std::optional<std::string> content;
        int current;
        std::vector<Spoken> spoken;
    };
    const Row rows[] = {
        {"text already spoken is spoken again", "hello", 0, {{2, "hello"}, {2, "hello"}}},
        {"empty clipboard", std::nullopt, 0, {{2, "hello"}, {2, ClipboardSpeech::kNoText}}},
        {"blank text", "  ", 1, {{2, "hello"}, {2, ClipboardSpeech::kNoText}}},
        {"no text while a time is told", std::nullopt, 3, {{2, "hello"}}},
        {"no text while a document is read", std::nullopt, 4, {{2, "hello"}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ClipboardRig rig;
        rig.copy("hello");
        rig.tickAndFinish();
        // Works with the switch off too.
        rig.speechOn = false;
        rig.clipboard.content = row.content;
        rig.speaker.current = row.current;
        rig.speech.whatsInTheClipboard(rig.clipboard, rig.speaker);
        if (row.current < 3)
            rig.speaker.done();
        rig.speech.tick(rig.speaker);
        EXPECT_EQ(rig.speaker.spoken, row.spoken);
    }
}

} // namespace
} // namespace narrix
