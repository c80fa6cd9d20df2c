#include "editor/document_search.h"

#include <QString>

#include <random>

#include <gtest/gtest.h>

namespace narrix {
namespace {

TEST(DocumentSearch, UpAndDown)
{
    struct Case
    {
        const char* name;
        const char16_t* text;
        const char16_t* what;
        qsizetype from; // selection end (down) or start (up)
        bool down;
        FindOptions options;
        qsizetype expected;
    };
    const Case cases[] = {
        {"down finds the next", u"abc abc", u"abc", 1, true, {}, 4},
        {"down from the selection end may start there", u"abcabc", u"abc", 3, true, {}, 3},
        {"down nothing after", u"abc abc", u"abc", 5, true, {}, -1},
        {"down ignores case", u"x ABC", u"abc", 0, true, {false, false}, 2},
        {"down matches case", u"x ABC abc", u"abc", 0, true, {true, false}, 6},
        {"down whole word skips inside words", u"concatenate cat", u"cat", 0, true, {false, true}, 12},
        {"down whole word: digits are word characters", u"cat9 cat", u"cat", 0, true, {false, true}, 5},
        {"down empty text", u"abc", u"", 0, true, {}, -1},
        {"up nearest before the selection", u"cat cat cat", u"cat", 8, false, {}, 4},
        {"up match may end right at the start", u"cat cat", u"cat", 7, false, {}, 4},
        {"up match may not reach into the selection", u"cat cat", u"cat", 6, false, {}, 0},
        {"up from the very start", u"cat", u"cat", 0, false, {}, -1},
        {"up text longer than the start", u"cat cat", u"cat cat", 3, false, {}, -1},
        {"up empty search text", u"cat", u"", 3, false, {}, -1},
        {"up whole word skips concatenate", u"a cat and concatenate x", u"cat", 23, false, {false, true}, 2},
        {"up whole word none left", u"concatenate", u"cat", 11, false, {false, true}, -1},
        {"up ignores case", u"CAT x", u"cat", 5, false, {false, false}, 0},
        {"up matches case", u"cat CAT x", u"CAT", 9, false, {true, false}, 4},
        {"up matches case, none", u"cat x", u"CAT", 5, false, {true, false}, -1},
        {"line breaks count as one", u"a\ncat\ncat", u"cat", 9, false, {false, true}, 6},
        {"letters beyond ASCII are word characters", u"\u00e9cat cat", u"cat", 8, false, {false, true}, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString text = QString::fromUtf16(c.text);
        const QString what = QString::fromUtf16(c.what);
        const qsizetype at =
            c.down ? findDown(text, what, c.from, c.options) : findUp(text, what, c.from, c.options);
        EXPECT_EQ(at, c.expected);
    }
}

TEST(DocumentSearch, AgreesWithQtsOwnSearchOnRandomTexts)
{
    // A small alphabet with letters of both cases (also beyond ASCII and sharing skip buckets:
    // U+0161 and U+0061 both end in 0x61) makes matches and near matches frequent.
    const QString alphabet = QString::fromUtf8("aAbB \xC3\xA9\xC3\x89\xC5\xA1\n");
    std::mt19937 random(11);
    const auto pick = [&](int length) {
        QString text;
        for (int i = 0; i < length; ++i)
            text += alphabet[static_cast<qsizetype>(random() % alphabet.size())];
        return text;
    };
    for (int round = 0; round < 4000; ++round) {
        const QString text = pick(static_cast<int>(random() % 40));
        const QString what = pick(1 + static_cast<int>(random() % 4));
        const qsizetype from = static_cast<qsizetype>(random() % (text.size() + 1));
        for (const bool matchCase : {false, true}) {
            const Qt::CaseSensitivity cs = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
            const FindOptions options{matchCase, false};
            SCOPED_TRACE(text.toStdString() + " / " + what.toStdString() + " / " + std::to_string(from));
            EXPECT_EQ(findDown(text, what, from, options), text.indexOf(what, from, cs));
            const qsizetype expectedUp =
                what.size() > from ? -1 : text.lastIndexOf(what, from - what.size(), cs);
            EXPECT_EQ(findUp(text, what, from, options), expectedUp);
        }
    }
}

} // namespace
} // namespace narrix
