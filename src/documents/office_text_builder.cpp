#include "documents/office_text_builder.h"

#include <algorithm>

namespace narrix {
namespace {

int headingHalfPoints(int level)
{
    static constexpr int kSizes[] = {32, 28, 26};
    return kSizes[std::clamp(level, 1, 3) - 1];
}

} // namespace

RtfTextFormat OfficeTextBuilder::formatFor(RunStyle style) const
{
    RtfTextFormat format;
    format.bold = style.bold || headingLevel_ > 0;
    format.italic = style.italic;
    if (headingLevel_ > 0)
        format.halfPoints = headingHalfPoints(headingLevel_);
    return format;
}

void OfficeTextBuilder::beginParagraph(int headingLevel, int listLevel)
{
    ++paragraphDepth_;
    if (paragraphDepth_ > 1)
        return; // a text box inside a paragraph continues it
    headingLevel_ = headingLevel;
    if (tableDepth_ > 0) {
        // Paragraphs of one cell share its line.
        if (cellHasText_)
            document_.append(" ", RtfTextFormat{});
        cellHasText_ = true;
    }
    if (listLevel >= 0)
        document_.append(std::string(static_cast<std::size_t>(std::min(listLevel, 8)) * 2, ' ') + "\u2022 ",
                         RtfTextFormat{});
}

void OfficeTextBuilder::endParagraph()
{
    if (paragraphDepth_ == 0)
        return;
    if (--paragraphDepth_ > 0)
        return;
    headingLevel_ = 0;
    if (tableDepth_ > 0)
        return;
    document_.append("\n", RtfTextFormat{});
    flushNotes();
}

void OfficeTextBuilder::text(std::string_view text, RunStyle style)
{
    if (text.empty())
        return;
    document_.append(text, formatFor(style));
}

void OfficeTextBuilder::lineBreak()
{
    document_.append(tableDepth_ > 0 ? " " : "\n", formatFor({}));
}

void OfficeTextBuilder::note(std::string_view text)
{
    ++noteCount_;
    document_.append("[" + std::to_string(noteCount_) + "]", RtfTextFormat{});
    pendingNotes_.push_back("[" + std::to_string(noteCount_) + "] " + std::string(text));
    if (paragraphDepth_ == 0 && tableDepth_ == 0)
        flushNotes();
}

void OfficeTextBuilder::flushNotes()
{
    for (const std::string& pending : pendingNotes_)
        document_.append(pending + "\n", RtfTextFormat{});
    pendingNotes_.clear();
}

void OfficeTextBuilder::beginTable()
{
    ++tableDepth_;
    if (tableDepth_ == 1)
        rowHasCell_ = false;
}

void OfficeTextBuilder::endTable()
{
    if (tableDepth_ == 0)
        return;
    if (--tableDepth_ == 0)
        flushNotes();
}

void OfficeTextBuilder::beginRow()
{
    if (tableDepth_ == 1)
        rowHasCell_ = false;
}

void OfficeTextBuilder::endRow()
{
    if (tableDepth_ == 1 && rowHasCell_)
        document_.append("\n", RtfTextFormat{});
}

void OfficeTextBuilder::beginCell()
{
    if (tableDepth_ != 1)
        return; // a nested table's cells run on in the outer cell
    if (rowHasCell_)
        document_.append("\t", RtfTextFormat{});
    rowHasCell_ = true;
    cellHasText_ = false;
}

RtfDocument OfficeTextBuilder::finish()
{
    flushNotes();
    return std::move(document_);
}

} // namespace narrix
