#pragma once

#include "base/rtf_document.h"

#include <string>
#include <string_view>
#include <vector>

namespace narrix {

// The character styles office documents keep in the editor.
struct RunStyle
{
    bool bold = false;
    bool italic = false;
};

// Turns the structure the DOCX and ODT readers walk into the editor's rich text: paragraphs end in
// "\n", headings are bold and larger, list items start with a bullet, table cells are separated by
// tabs and rows end in "\n", and each footnote follows the paragraph (or table) that refers to it as
// "[N] text".
class OfficeTextBuilder
{
public:
    // `headingLevel` 0 for body text, 1 for the largest heading; `listLevel` -1 outside lists.
    void beginParagraph(int headingLevel = 0, int listLevel = -1);
    void endParagraph();
    void text(std::string_view text, RunStyle style);
    // A footnote or endnote anchored here: its number goes into the text, its text after the paragraph.
    void note(std::string_view text);
    // A line break inside a paragraph (a blank inside a table cell, which keeps its row on one line).
    void lineBreak();

    void beginTable();
    void endTable();
    void beginRow();
    void endRow();
    void beginCell();

    RtfDocument finish();

private:
    RtfTextFormat formatFor(RunStyle style) const;
    void flushNotes();

    RtfDocument document_;
    std::vector<std::string> pendingNotes_;
    int noteCount_ = 0;
    int headingLevel_ = 0;
    int paragraphDepth_ = 0;
    int tableDepth_ = 0;
    bool cellHasText_ = false;
    bool rowHasCell_ = false;
};

} // namespace narrix
