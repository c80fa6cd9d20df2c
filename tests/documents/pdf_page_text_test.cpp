// The page-text rules of the PDF reader: hyphenation at line ends and running lines.
#include "documents/pdf_page_text.h"

#include <gtest/gtest.h>

namespace narrix {
namespace {

TEST(PdfPageText, HyphenatedLineEndsJoinOnlyBeforeLowerCase)
{
    const struct
    {
        QStringList lines;
        const char* joined;
    } cases[] = {
        {{QStringLiteral("speech recog-"), QStringLiteral("nition works")}, "speech recognition works"},
        {{QStringLiteral("soft\u00ADhy\u00AD"), QStringLiteral("phen")}, "soft\u00ADhyphen"},
        {{QStringLiteral("the well-"), QStringLiteral("Known")}, "the well-\nKnown"},
        {{QStringLiteral("pages 10-"), QStringLiteral("twelve")}, "pages 10-\ntwelve"},
        {{QStringLiteral("a dash -"), QStringLiteral("then")}, "a dash -\nthen"},
        {{QStringLiteral("one"), QStringLiteral("two")}, "one\ntwo"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(joinPageLines(c.lines).toStdString(), c.joined);
}

TEST(PdfPageText, LinesOpeningOrClosingMostPagesAreRunning)
{
    std::vector<QStringList> pages;
    const QString bodies[] = {QStringLiteral("One"), QStringLiteral("Two"), QStringLiteral("Three"),
                              QStringLiteral("Four"), QStringLiteral("Five")};
    for (int page = 1; page <= 5; ++page) {
        QStringList lines{QStringLiteral("The Book Title"),
                          bodies[page - 1] + QStringLiteral(" begins the page."),
                          QStringLiteral("Second line."), QStringLiteral("- %1 -").arg(page)};
        if (page == 3)
            lines.removeFirst(); // a chapter's first page has no header
        pages.push_back(lines);
    }
    RunningLines running;
    running.learn(pages);
    // "Second line." closes every page too, above the page number: both go.
    EXPECT_EQ(running.strip(pages[1]), QStringList{QStringLiteral("Two begins the page.")});
    EXPECT_EQ(running.strip(pages[2]), QStringList{QStringLiteral("Three begins the page.")});
    // A running line below a line that is not one still goes.
    EXPECT_EQ(running.strip({QStringLiteral("Chapter Six"), QStringLiteral("- 6 -"), QStringLiteral("Text."),
                             QStringLiteral("More."), QStringLiteral("Last.")}),
              (QStringList{QStringLiteral("Chapter Six"), QStringLiteral("Text."), QStringLiteral("More."),
                           QStringLiteral("Last.")}));

    // A line of the text that repeats everywhere is no header, though it often opens a page.
    std::vector<QStringList> refrain;
    for (int page = 0; page < 6; ++page)
        refrain.push_back({QStringLiteral("Row, row your boat."), bodies[page % 5],
                           QStringLiteral("Row, row your boat."), bodies[(page + 1) % 5],
                           QStringLiteral("Row, row your boat."), QStringLiteral("End.")});
    RunningLines song;
    song.learn(refrain);
    EXPECT_EQ(song.strip(refrain[0]).size(), 5) << "only \"End.\" closes every page";

    RunningLines fewPages;
    fewPages.learn({pages[0], pages[1]});
    EXPECT_EQ(fewPages.strip(pages[0]), pages[0]) << "two pages say nothing about what repeats";
    EXPECT_EQ(RunningLines::keyOf(QStringLiteral("  Page 12  of 300 ")), QStringLiteral("Page # of #"));
}

TEST(PdfPageText, PageNumbersGoFromPageEdges)
{
    const QString body = QStringLiteral("Body text with 3 in it.");
    const struct
    {
        QStringList lines;
        const char* label;
        QStringList kept;
    } cases[] = {
        {{QStringLiteral("3"), body, QStringLiteral("More.")}, "3", {body, QStringLiteral("More.")}},
        {{body, QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("- iv -")},
         "iv",
         {body, QStringLiteral("x"), QStringLiteral("y")}},
        {{QStringLiteral("Page 12"), body}, "12", {body}},
        {{QStringLiteral("Chapter 2: Syntax          3"), body},
         "3",
         {QStringLiteral("Chapter 2: Syntax"), body}},
        {{QStringLiteral("7     Methods"), body}, "7", {QStringLiteral("Methods"), body}},
        {{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("3"), QStringLiteral("c"),
          QStringLiteral("d")},
         "3",
         {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("3"), QStringLiteral("c"),
          QStringLiteral("d")}},
        {{QStringLiteral("Table 3"), body}, "3", {QStringLiteral("Table 3"), body}},
    };
    for (const auto& c : cases) {
        QStringList lines = c.lines;
        stripPageNumber(lines, QString::fromLatin1(c.label));
        EXPECT_EQ(lines, c.kept) << c.lines.join(QLatin1Char('|')).toStdString();
    }
}

TEST(PdfPageText, WordsHyphenatedAcrossPagesJoin)
{
    QString text = QStringLiteral("end of a long sen-");
    appendJoined(text, QStringLiteral("tence on the next page."), u"\n\n");
    appendJoined(text, QStringLiteral("A new page."), u"\n\n");
    EXPECT_EQ(text, QStringLiteral("end of a long sentence on the next page.\n\nA new page."));
}

} // namespace
} // namespace narrix
