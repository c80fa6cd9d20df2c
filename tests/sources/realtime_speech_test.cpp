// Real-time typing speech: the key table, the boundary step in its three modes and the key handling with
// a fake desktop keyboard and a fake reading control.
#include "fakes/fake_keyboard_state.h"
#include "fakes/fake_source_speaker.h"
#include "sources/hook/key_report.h"
#include "sources/realtime_boundary.h"
#include "sources/realtime_key_table.h"
#include "sources/realtime_speech.h"

#include <gtest/gtest.h>

#include <functional>

namespace narrix {
namespace {

using testing::FakeKeyboardState;
using testing::FakeSourceSpeaker;
using Spoken = FakeSourceSpeaker::Spoken;

TEST(RealtimeKeyTable, EveryRowOfTheTable)
{
    using A = RealtimeKeyAction;
    struct Row
    {
        std::uint32_t key;
        bool shift;
        bool caps;
        A expected;
    };
    const Row rows[] = {
        {0x08, false, false, {A::Backspace, 0}}, {0x08, true, false, {A::Backspace, 0}},
        {0x09, true, false, {A::Append, ' '}},   {0x0D, false, false, {A::Boundary, 0}},
        {0x20, true, false, {A::Boundary, 0}},   {0x10, true, false, {A::Nothing, 0}},
        {0x14, false, true, {A::Nothing, 0}},    {0x30, false, false, {A::Append, '0'}},
        {0x39, false, false, {A::Append, '9'}},  {0x30, true, false, {A::Append, ')'}},
        {0x31, true, false, {A::Append, '!'}},   {0x32, true, false, {A::Append, '@'}},
        {0x39, true, false, {A::Append, '('}},   {0x41, false, false, {A::Append, 'a'}},
        {0x41, true, false, {A::Append, 'A'}},   {0x41, false, true, {A::Append, 'A'}},
        {0x41, true, true, {A::Append, 'a'}},    {0x5A, false, false, {A::Append, 'z'}},
        {0x60, false, false, {A::Append, '0'}},  {0x65, true, false, {A::Append, '5'}},
        {0x69, false, false, {A::Append, '9'}},  {0x6A, true, false, {A::Append, '*'}},
        {0x6B, false, false, {A::Append, '+'}},  {0x6C, false, false, {A::Clear, 0}},
        {0x6D, false, false, {A::Append, '-'}},  {0x6E, false, false, {A::Append, '.'}},
        {0x6F, true, false, {A::Append, '/'}},   {0xBA, false, false, {A::Append, ';'}},
        {0xBA, true, false, {A::Append, ':'}},   {0xBB, false, false, {A::Append, '='}},
        {0xBB, true, false, {A::Append, '+'}},   {0xBC, false, false, {A::Append, ','}},
        {0xBC, true, false, {A::Append, '<'}},   {0xBD, false, false, {A::Append, '-'}},
        {0xBD, true, false, {A::Append, '_'}},   {0xBE, false, false, {A::Append, '.'}},
        {0xBE, true, false, {A::Append, '>'}},   {0xBF, false, false, {A::Append, '/'}},
        {0xBF, true, false, {A::Append, '?'}},   {0xC0, false, false, {A::Append, '`'}},
        {0xC0, true, false, {A::Append, '~'}},   {0xDB, false, false, {A::Append, '['}},
        {0xDB, true, false, {A::Append, '{'}},   {0xDC, false, false, {A::Append, '\\'}},
        {0xDC, true, false, {A::Append, '|'}},   {0xDD, false, false, {A::Append, ']'}},
        {0xDD, true, false, {A::Append, '}'}},   {0xDE, false, false, {A::Append, '\''}},
        {0xDE, true, false, {A::Append, '"'}},   {0x11, false, false, {A::Clear, 0}},
        {0x12, false, false, {A::Clear, 0}},     {0x1B, false, false, {A::Clear, 0}},
        {0x25, false, false, {A::Clear, 0}},     {0x2E, false, false, {A::Clear, 0}},
        {0x70, false, false, {A::Clear, 0}},     {0x5B, false, false, {A::Clear, 0}},
        {0xFF, false, false, {A::Clear, 0}},
    };
    for (const Row& row : rows)
        EXPECT_EQ(realtimeKeyAction(row.key, row.shift, row.caps), row.expected)
            << std::hex << "key 0x" << row.key << " shift " << row.shift << " caps " << row.caps;
}

TEST(RealtimeBoundary, ModesAndKeywords)
{
    const std::string defaultKeywords = ", ; . ? \" : ! '";
    struct Row
    {
        const char* buffer;
        const char* mode;
        std::string keywords;
        bool enter;
        RealtimeBoundary expected;
    };
    using B = RealtimeBoundary;
    const Row rows[] = {
        {"", "Word", "", false, B::Nothing},
        {" \t ", "Word", "", true, B::Nothing},
        {"hello", "Word", "", false, B::Speak},
        {"hello", "word", "", false, B::AppendBlank}, // case-sensitive: keyword mode, no keywords
        {"Hello", "Sentence", "", false, B::AppendBlank},
        {"Hello world.", "Sentence", "", false, B::Speak},
        {"Hello", "Sentence", "", true, B::Speak},
        {"Hello ", "Sentence", "", false, B::AppendBlank}, // the untrimmed buffer's last character
        {"yes!", "Sentence", "", false, B::Speak},
        {"it's", "Sentence", "", false, B::AppendBlank},
        {"'", "Sentence", "", false, B::Speak},
        {"roger over", "Custom", "over out", false, B::Speak},
        {"overt", "Custom", "over out", false, B::AppendBlank},
        {"over and out", "Custom", "over out", false, B::Speak},
        {"ver", "Custom", "over", false, B::AppendBlank}, // a keyword longer than the buffer
        {"Over", "Custom", "over", false, B::AppendBlank},
        {"stop here", "Custom", "  \t here  ", false, B::Speak},
        {"a\tb", "Custom", "x a\tb", false, B::Speak}, // only blanks separate keywords
        {"b", "Custom", "a \tb", false, B::Speak},     // control characters before a keyword are trimmed
        {"anything", "Custom", "", false, B::AppendBlank},
        {"anything", "Custom", "   ", false, B::AppendBlank},
        {"anything", "Custom", "   ", true, B::Speak},
        {"Wait,", "Custom", defaultKeywords, false, B::Speak},
        {"Wait", "Custom", defaultKeywords, false, B::AppendBlank},
    };
    for (const Row& row : rows)
        EXPECT_EQ(realtimeBoundary(row.buffer, row.mode, row.keywords, row.enter), row.expected)
            << "buffer \"" << row.buffer << "\" mode " << row.mode << " keywords \"" << row.keywords << "\"";
}

TEST(RealtimeBoundary, KeywordSearchIsLinear)
{
    // 200,000 keywords (1 MB), none matching: walked once. Deleting each keyword from the front of a
    // copy, as a literal reading would, takes minutes here.
    std::string keywords;
    for (int i = 0; i < 200000; ++i)
        keywords += "abcd ";
    EXPECT_FALSE(endsWithKeyword("xyz", keywords));
    EXPECT_TRUE(endsWithKeyword("xyz", keywords + "yz"));
}

// The program's side of the key reports, with everything it reads faked.
class Rig
{
public:
    QString mode = QStringLiteral("Word");
    QString keywords = QStringLiteral(", ; . ? \" : ! '");
    bool speechOn = true;
    FakeKeyboardState keyboard;
    FakeSourceSpeaker speaker;
    std::string memo = "(never shown)";
    int memoUpdates = 0;
    RealtimeSpeech speech{keyboard, speaker, RealtimeSettings{mode, keywords, speechOn},
                          [this](const std::string& b) {
                              memo = b;
                              ++memoUpdates;
                          }};

    void press(std::uint32_t key, bool repeat = false)
    {
        speech.keyReport(key, repeat ? hook::kKeyWasDown | 1 : 1);
    }
    void release(std::uint32_t key) { speech.keyReport(key, hook::kKeyReleased | hook::kKeyWasDown | 1); }
    void tap(std::uint32_t key)
    {
        press(key);
        release(key);
    }
    // Types `text` as a US keyboard would report it: upper-case letters and shifted marks with Shift.
    void type(std::string_view text)
    {
        static const std::string_view shiftedDigits = ")!@#$%^&*(";
        for (const char c : text) {
            std::uint32_t key = 0;
            bool shift = false;
            if (c >= 'a' && c <= 'z') {
                key = static_cast<std::uint32_t>(c - 'a' + 0x41);
            } else if (c >= 'A' && c <= 'Z') {
                key = static_cast<std::uint32_t>(c);
                shift = true;
            } else if (c >= '0' && c <= '9') {
                key = static_cast<std::uint32_t>(c);
            } else if (shiftedDigits.find(c) != std::string_view::npos) {
                key = static_cast<std::uint32_t>(0x30 + shiftedDigits.find(c));
                shift = true;
            } else {
                switch (c) {
                case ' ':
                    key = 0x20;
                    break;
                case '\n':
                    key = 0x0D;
                    break;
                case '\t':
                    key = 0x09;
                    break;
                case '.':
                    key = 0xBE;
                    break;
                case ',':
                    key = 0xBC;
                    break;
                case '\'':
                    key = 0xDE;
                    break;
                case '"':
                    key = 0xDE;
                    shift = true;
                    break;
                case '?':
                    key = 0xBF;
                    shift = true;
                    break;
                default:
                    ADD_FAILURE() << "no key for " << c;
                    return;
                }
            }
            if (shift)
                press(0x10);
            tap(key);
            if (shift)
                release(0x10);
        }
    }
};

struct Case
{
    const char* name;
    std::function<void(Rig&)> act;
    std::vector<Spoken> spoken;
    std::string buffer;
};

TEST(RealtimeSpeech, EdgeCases)
{
    const Case cases[] = {
        {"first key after start-up counts as a new window", [](Rig& r) { r.type("a"); }, {}, "a"},
        {"word mode speaks the word and empties the memo",
         [](Rig& r) { r.type("hello "); },
         {{1, "hello"}},
         ""},
        {"space on an empty buffer does nothing", [](Rig& r) { r.type("  "); }, {}, ""},
        {"space on an all-blank buffer does nothing", [](Rig& r) { r.type("\t "); }, {}, " "},
        {"sentence mode: unfinished sentence gets a blank",
         [](Rig& r) {
             r.mode = QStringLiteral("Sentence");
             r.type("Hello ");
         },
         {},
         "Hello "},
        {"sentence mode: full stop ends the sentence",
         [](Rig& r) {
             r.mode = QStringLiteral("Sentence");
             r.type("Hello world. ");
         },
         {{1, "Hello world."}},
         ""},
        {"sentence mode: Enter speaks whatever the buffer holds",
         [](Rig& r) {
             r.mode = QStringLiteral("Sentence");
             r.type("Hello there\n");
         },
         {{1, "Hello there"}},
         ""},
        {"keyword mode: a keyword at the end speaks",
         [](Rig& r) {
             r.mode = QStringLiteral("Custom");
             r.keywords = QStringLiteral("over out");
             r.type("roger over ");
         },
         {{1, "roger over"}},
         ""},
        {"keyword mode: a longer word only appends a blank",
         [](Rig& r) {
             r.mode = QStringLiteral("Custom");
             r.keywords = QStringLiteral("over out");
             r.type("overt ");
         },
         {},
         "overt "},
        {"keyword mode without keywords: only Enter speaks",
         [](Rig& r) {
             r.mode = QStringLiteral("Custom");
             r.keywords = QStringLiteral("   ");
             r.type("one two\n");
         },
         {{1, "one two"}},
         ""},
        {"Caps Lock and Shift give lower case",
         [](Rig& r) {
             r.keyboard.capsLock = true;
             r.type("A");
         },
         {},
         "a"},
        {"Caps Lock alone gives upper case",
         [](Rig& r) {
             r.keyboard.capsLock = true;
             r.type("b");
         },
         {},
         "B"},
        {"numeric pad 5 with Shift gives 5",
         [](Rig& r) {
             r.press(0x10);
             r.tap(0x65);
         },
         {},
         "5"},
        {"Shift and digit 2 give @", [](Rig& r) { r.type("@"); }, {}, "@"},
        {"Control and a letter empty the buffer",
         [](Rig& r) {
             r.type("abc");
             r.press(0x11);
             r.tap(0x43);
         },
         {},
         ""},
        {"after Control is released typing goes on",
         [](Rig& r) {
             r.press(0x11);
             r.tap(0x43);
             r.release(0x11);
             r.type("ok");
         },
         {},
         "ok"},
        {"Alt empties the buffer",
         [](Rig& r) {
             r.type("abc");
             r.press(0x12);
         },
         {},
         ""},
        {"a function key empties the buffer",
         [](Rig& r) {
             r.type("abc");
             r.tap(0x70);
         },
         {},
         ""},
        {"an arrow key empties the buffer",
         [](Rig& r) {
             r.type("abc");
             r.tap(0x25);
         },
         {},
         ""},
        {"backspace removes the last character, and does nothing on an empty buffer",
         [](Rig& r) {
             r.tap(0x08);
             r.type("ab");
             r.tap(0x08);
         },
         {},
         "a"},
        {"switching windows and Space in word mode speaks the old text once",
         [](Rig& r) {
             r.type("hello");
             r.keyboard.foreground = 200;
             r.type(" ");
         },
         {{1, "hello"}},
         ""},
        {"switching windows and Space in sentence mode appends two blanks",
         [](Rig& r) {
             r.mode = QStringLiteral("Sentence");
             r.type("Hello");
             r.keyboard.foreground = 200;
             r.type(" ");
         },
         {},
         "Hello  "},
        {"a letter from a new window drops the old text",
         [](Rig& r) {
             r.type("hello");
             r.keyboard.foreground = 200;
             r.type("x ");
         },
         {{1, "x"}},
         ""},
        {"an auto-repeated letter adds one character per repeat",
         [](Rig& r) {
             r.press(0x41);
             r.press(0x41, true);
             r.press(0x41, true);
             r.release(0x41);
         },
         {},
         "aaa"},
        {"auto-repeated Shift keeps Shift",
         [](Rig& r) {
             r.press(0x10);
             r.press(0x10, true);
             r.tap(0x41);
         },
         {},
         "A"},
        {"without the check mark the buffer follows the typing and nothing is spoken",
         [](Rig& r) {
             r.speechOn = false;
             r.type("hello wor");
         },
         {},
         "wor"},
        {"while a document is read finished words are dropped",
         [](Rig& r) {
             r.speaker.current = 4;
             r.type("hello ");
         },
         {},
         ""},
        {"while real-time speech speaks the next word is handed on",
         [](Rig& r) { r.type("one two "); },
         {{1, "one"}, {1, "two"}},
         ""},
        {"while the clipboard is spoken words are dropped",
         [](Rig& r) {
             r.speaker.current = 2;
             r.type("one ");
         },
         {},
         ""},
        {"typing into the program's own window is neither kept nor spoken",
         [](Rig& r) {
             r.keyboard.ownWindows = {300};
             r.keyboard.foreground = 300;
             r.type("secret words\n");
         },
         {},
         ""},
        {"coming back from the program's own window starts afresh",
         [](Rig& r) {
             r.keyboard.ownWindows = {300};
             r.type("half");
             r.keyboard.foreground = 300;
             r.type("secret");
             r.keyboard.foreground = 100;
             r.type("new ");
         },
         {{1, "new"}},
         ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Rig rig;
        rig.speech.resetKeyState();
        c.act(rig);
        EXPECT_EQ(rig.speaker.spoken, c.spoken);
        EXPECT_EQ(rig.speech.buffer(), c.buffer);
        if (rig.memoUpdates > 0) {
            EXPECT_EQ(rig.memo, c.buffer);
        }
    }
}

TEST(RealtimeSpeech, ReleasesNeverTouchTheMemoAndCapsLockIsReadForLettersOnly)
{
    Rig rig;
    rig.speech.resetKeyState();
    rig.release(0x41);
    rig.release(0x10);
    EXPECT_EQ(rig.memoUpdates, 0);
    rig.type("a1 ");
    EXPECT_EQ(rig.memoUpdates, 3);
    EXPECT_EQ(rig.keyboard.capsLockReads, 1);
}

TEST(RealtimeSpeech, ResetForgetsHeldModifiersAndTheLastWindow)
{
    Rig rig;
    rig.press(0x10);
    rig.press(0x11);
    rig.type("zz");
    rig.speech.resetKeyState();
    rig.type("abc");
    EXPECT_EQ(rig.speech.buffer(), "abc");
}

} // namespace
} // namespace narrix
