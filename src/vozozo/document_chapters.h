#pragma once

#include "vozozo/input_reader.h"

#include <QString>
#include <string>
#include <vector>

namespace narrix {

// A stretch of a document as its reader sees it: a heading (level 1 the highest) with the text that
// follows it up to the next heading, or (level 0) text before the first heading. `text` is speech
// text and starts with the heading's own words, which are spoken too.
struct DocumentBlock
{
    int level = 0;
    QString heading;
    std::string text;
};

struct Chapter
{
    QString title;
    std::string text; // speech text, not yet cleaned for the voice
};

// What the tags and the chapter files are made of.
struct DocumentOutline
{
    QString title;  // the document's own title, else its name
    QString author; // empty when the document names none
    std::vector<Chapter> chapters;
};

// Chapters from a reader's blocks: a chapter starts at each heading of the chapter level (the highest
// level that occurs more than once, else the highest that occurs) or above; deeper headings stay in
// their chapter. Text before the first heading is a chapter titled `untitled`. A chapter holding only
// its heading joins the one after it. Readers of further kinds of document hand their headings here.
std::vector<Chapter> chaptersFromBlocks(std::vector<DocumentBlock> blocks, const QString& untitled);

// The document's title, author and chapters: headings of HTML (h1 to h6) and of rich text (see
// rtfBlocks), and in plain text the lines that the blank-line rule (see plainTextBlocks) makes
// headings. Nothing, with the reason in `error`, for malformed rich text.
std::optional<DocumentOutline> outlineOfDocument(const VozozoDocument& document, QString* error);

// The document's title and author alone (no chapters).
DocumentOutline documentTitles(const VozozoDocument& document);

// The readers behind outlineOfDocument.
std::vector<DocumentBlock> htmlBlocks(std::string_view html);
std::vector<DocumentBlock> plainTextBlocks(std::string_view text);
// Rich text: a paragraph set wholly in a larger size than the body's, or wholly bold, and short, is a
// heading; the larger its size, the higher its level.
std::optional<std::vector<DocumentBlock>> rtfBlocks(std::string_view rtf, QString* error);

// A document's own title and author: HTML's <title> and <meta name="author">, rich text's \title and
// \author; empty when there are none.
QString htmlTitle(std::string_view html);
QString htmlAuthor(std::string_view html);
QString rtfInfoText(std::string_view rtf, std::string_view field);

// Cuts speech text into parts of about `words` words each, between sentences ("Part 1", ...).
std::vector<Chapter> partsOfWords(const std::string& text, std::size_t words);

} // namespace narrix
