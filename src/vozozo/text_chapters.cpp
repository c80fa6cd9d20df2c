// Headings of plain text by the blank-line rule, and texts cut into parts of a number of words.
#include "vozozo/document_chapters.h"

#include "base/text_trim.h"
#include "speech/sentence_splitter.h"

namespace narrix {
namespace {

constexpr std::size_t kLongestHeading = 100; // bytes

struct Line
{
    std::size_t start = 0;
    std::size_t end = 0; // before the line break
};

std::vector<Line> linesOf(std::string_view text)
{
    std::vector<Line> lines;
    std::size_t start = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] == '\n' || text[at] == '\r') {
            lines.push_back({start, at});
            if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n')
                ++at;
            start = at + 1;
        }
    }
    if (start < text.size())
        lines.push_back({start, text.size()});
    return lines;
}

std::size_t wordCount(std::string_view text)
{
    std::size_t words = 0;
    bool inWord = false;
    for (const char c : text) {
        const bool space = isTrimmable(c);
        if (!space && !inWord)
            ++words;
        inWord = !space;
    }
    return words;
}

// A line that reads as a heading on its own: short, with a letter or digit, starting with neither a
// lower-case letter (a paragraph's continuation) nor ending like a clause; a closing full stop only
// after a few words ("Chapter 1.").
bool readsAsHeading(std::string_view line)
{
    if (line.empty() || line.size() > kLongestHeading)
        return false;
    if (line.front() >= 'a' && line.front() <= 'z')
        return false;
    const char last = line.back();
    if (last == ',' || last == ';' || last == ':' || last == '-')
        return false;
    if (last == '.' && wordCount(line) > 4)
        return false;
    for (const char c : line) {
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
            static_cast<unsigned char>(c) >= 0x80)
            return true;
    }
    return false;
}

} // namespace

std::vector<DocumentBlock> plainTextBlocks(std::string_view text)
{
    const std::vector<Line> lines = linesOf(text);
    auto blank = [&](std::size_t i) {
        return isBlank(text.substr(lines[i].start, lines[i].end - lines[i].start));
    };
    std::vector<DocumentBlock> blocks;
    std::size_t blockStart = 0;
    DocumentBlock current;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        // A heading line stands between blank lines (or at the very start), with text after it.
        const bool blankBefore = i == 0 || blank(i - 1);
        const bool blankAfter = i + 2 < lines.size() && blank(i + 1);
        if (!blankBefore || !blankAfter || blank(i))
            continue;
        const std::string_view line = trimView(text.substr(lines[i].start, lines[i].end - lines[i].start));
        if (!readsAsHeading(line))
            continue;
        current.text = std::string(text.substr(blockStart, lines[i].start - blockStart));
        blocks.push_back(std::move(current));
        current = {1, QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())).simplified(), {}};
        blockStart = lines[i].start;
    }
    current.text = std::string(text.substr(blockStart));
    blocks.push_back(std::move(current));
    return blocks;
}

std::vector<Chapter> partsOfWords(const std::string& text, std::size_t words)
{
    std::vector<Chapter> parts;
    std::size_t partStart = 0;
    std::size_t partWords = 0;
    qsizetype from = 0;
    for (;;) {
        const SentenceSpan sentence = nextSentence(text, from);
        if (sentence.empty())
            break;
        partWords +=
            wordCount(std::string_view(text).substr(static_cast<std::size_t>(sentence.start),
                                                    static_cast<std::size_t>(sentence.end - sentence.start)));
        from = sentence.end;
        if (partWords >= words) {
            const auto end = static_cast<std::size_t>(sentence.end);
            parts.push_back(
                {QStringLiteral("Part %1").arg(parts.size() + 1), text.substr(partStart, end - partStart)});
            partStart = end;
            partWords = 0;
        }
    }
    if (!isBlank(std::string_view(text).substr(partStart)) || parts.empty())
        parts.push_back({QStringLiteral("Part %1").arg(parts.size() + 1), text.substr(partStart)});
    return parts;
}

} // namespace narrix
