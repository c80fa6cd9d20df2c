#include "vozozo/document_chapters.h"

#include "base/text_trim.h"

#include <map>

namespace narrix {
namespace {

std::size_t letterCount(std::string_view text)
{
    std::size_t letters = 0;
    for (const char c : text) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
            static_cast<unsigned char>(c) >= 0x80)
            ++letters;
    }
    return letters;
}

void appendText(std::string& into, const std::string& text)
{
    if (!into.empty() && !text.empty() && !isTrimmable(into.back()) && !isTrimmable(text.front()))
        into += '\n';
    into += text;
}

// The highest level that occurs more than once, else the highest that occurs; 0 without headings.
int chapterLevel(const std::vector<DocumentBlock>& blocks)
{
    std::map<int, int> counts;
    for (const DocumentBlock& block : blocks) {
        if (block.level > 0)
            ++counts[block.level];
    }
    for (const auto& [level, count] : counts) {
        if (count > 1)
            return level;
    }
    return counts.empty() ? 0 : counts.begin()->first;
}

} // namespace

std::vector<Chapter> chaptersFromBlocks(std::vector<DocumentBlock> blocks, const QString& untitled)
{
    const int level = chapterLevel(blocks);
    std::vector<Chapter> chapters;
    for (DocumentBlock& block : blocks) {
        if (block.level > 0 && block.level <= level) {
            chapters.push_back({block.heading.isEmpty() ? untitled : block.heading, std::move(block.text)});
        } else if (!chapters.empty()) {
            appendText(chapters.back().text, block.text);
        } else if (!isBlank(block.text)) {
            chapters.push_back({untitled, std::move(block.text)});
        }
    }
    // A chapter that holds no more than its heading (a book's title above its first chapter) is no
    // file of its own: its words are spoken at the start of the next one.
    std::vector<Chapter> kept;
    std::string carried;
    for (Chapter& chapter : chapters) {
        const bool headingOnly =
            letterCount(chapter.text) <= letterCount(chapter.title.toUtf8().toStdString());
        if (headingOnly && &chapter != &chapters.back()) {
            appendText(carried, chapter.text);
            continue;
        }
        if (!carried.empty()) {
            appendText(carried, chapter.text);
            chapter.text = std::move(carried);
            carried.clear();
        }
        kept.push_back(std::move(chapter));
    }
    if (kept.empty())
        kept.push_back({untitled, {}});
    return kept;
}

DocumentOutline documentTitles(const VozozoDocument& document)
{
    DocumentOutline outline;
    if (document.kind == SpeechFileKind::Html) {
        const std::string html = decodedDocumentText(document);
        outline.title = htmlTitle(html);
        outline.author = htmlAuthor(html);
    } else if (document.kind == SpeechFileKind::RichText) {
        outline.title = rtfInfoText(document.bytes, "title");
        outline.author = rtfInfoText(document.bytes, "author");
    }
    if (outline.title.isEmpty())
        outline.title = document.name.isEmpty() ? QStringLiteral("Untitled") : document.name;
    return outline;
}

std::optional<DocumentOutline> outlineOfDocument(const VozozoDocument& document, QString* error)
{
    DocumentOutline outline = documentTitles(document);
    std::vector<DocumentBlock> blocks;
    switch (document.kind) {
    case SpeechFileKind::Html:
        blocks = htmlBlocks(decodedDocumentText(document));
        break;
    case SpeechFileKind::RichText: {
        auto rich = rtfBlocks(document.bytes, error);
        if (!rich)
            return std::nullopt;
        blocks = std::move(*rich);
        break;
    }
    case SpeechFileKind::PlainText:
        blocks = plainTextBlocks(decodedDocumentText(document));
        break;
    }
    outline.chapters = chaptersFromBlocks(std::move(blocks), outline.title);
    return outline;
}

} // namespace narrix
