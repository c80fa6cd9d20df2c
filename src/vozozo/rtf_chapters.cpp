// Headings of rich text by their type (larger than the body's, or bold), and the \info title and author.
#include "vozozo/document_chapters.h"

#include "base/rtf_reader.h"
#include "base/text_encoding.h"
#include "base/text_trim.h"

#include <algorithm>
#include <map>

namespace narrix {
namespace {

constexpr std::size_t kLongestHeading = 200; // bytes
constexpr std::size_t kInfoSearch = 4096;

struct Paragraph
{
    std::size_t start = 0; // in the document's plain text
    std::size_t end = 0;
    int smallest = 0; // the smallest size of its visible text, in half points
    bool allBold = true;
    bool visible = false; // holds anything but white space
};

std::vector<Paragraph> paragraphsOf(const RtfDocument& document, std::map<int, std::size_t>* bytesBySize)
{
    std::vector<Paragraph> paragraphs(1);
    std::size_t at = 0;
    for (const RtfRun& run : document.runs) {
        for (const char c : run.text) {
            Paragraph& paragraph = paragraphs.back();
            if (c == '\n') {
                paragraph.end = at;
                paragraphs.push_back({at + 1, 0, 0, true, false});
            } else if (!isTrimmable(c)) {
                paragraph.smallest = paragraph.visible ? std::min(paragraph.smallest, run.format.halfPoints)
                                                       : run.format.halfPoints;
                paragraph.allBold = paragraph.allBold && run.format.bold;
                paragraph.visible = true;
                ++(*bytesBySize)[run.format.halfPoints];
            }
            ++at;
        }
    }
    paragraphs.back().end = at;
    return paragraphs;
}

} // namespace

std::optional<std::vector<DocumentBlock>> rtfBlocks(std::string_view rtf, QString* error)
{
    if (!looksLikeRtf(rtf))
        return plainTextBlocks(decodeUnlabelledToUtf8(rtf));
    RtfDocument document;
    RtfError problem;
    if (!ReadRtf(rtf, &document, &problem)) {
        if (error)
            *error = QString::fromStdString(problem.describe());
        return std::nullopt;
    }
    const std::string text = document.plainText();
    std::map<int, std::size_t> bytesBySize;
    const std::vector<Paragraph> paragraphs = paragraphsOf(document, &bytesBySize);
    int bodySize = 24;
    std::size_t most = 0;
    for (const auto& [size, bytes] : bytesBySize) {
        if (bytes > most) {
            most = bytes;
            bodySize = size;
        }
    }
    auto isHeading = [&](const Paragraph& p) {
        return p.visible && p.end - p.start <= kLongestHeading && (p.smallest > bodySize || p.allBold);
    };
    // Heading sizes from the largest down give the levels; bold at the body's size is the lowest.
    std::vector<int> sizes;
    for (const Paragraph& p : paragraphs) {
        if (isHeading(p))
            sizes.push_back(std::max(p.smallest, bodySize));
    }
    std::sort(sizes.begin(), sizes.end(), std::greater<>());
    sizes.erase(std::unique(sizes.begin(), sizes.end()), sizes.end());

    std::vector<DocumentBlock> blocks;
    DocumentBlock current;
    std::size_t blockStart = 0;
    for (const Paragraph& p : paragraphs) {
        if (!isHeading(p))
            continue;
        current.text = text.substr(blockStart, p.start - blockStart);
        blocks.push_back(std::move(current));
        const int size = std::max(p.smallest, bodySize);
        const auto level = std::find(sizes.begin(), sizes.end(), size) - sizes.begin() + 1;
        const std::string_view heading = trimView(std::string_view(text).substr(p.start, p.end - p.start));
        current = {static_cast<int>(level),
                   QString::fromUtf8(heading.data(), static_cast<qsizetype>(heading.size())).simplified(),
                   {}};
        blockStart = p.start;
    }
    current.text = text.substr(blockStart);
    blocks.push_back(std::move(current));
    return blocks;
}

QString rtfInfoText(std::string_view rtf, std::string_view field)
{
    // The group "{\FIELD text}", read by the RTF reader as a document of its own.
    const std::string word = "\\" + std::string(field);
    std::size_t at = 0;
    while ((at = rtf.find(word, at)) != std::string_view::npos) {
        const std::size_t after = at + word.size();
        const bool whole = after < rtf.size() && !((rtf[after] >= 'a' && rtf[after] <= 'z') ||
                                                   (rtf[after] >= 'A' && rtf[after] <= 'Z'));
        if (whole)
            break;
        at = after;
    }
    if (at == std::string_view::npos)
        return {};
    std::size_t end = at + word.size();
    int depth = 0;
    const std::size_t limit = std::min(rtf.size(), end + kInfoSearch);
    for (; end < limit; ++end) {
        if (rtf[end] == '\\') {
            ++end;
        } else if (rtf[end] == '{') {
            ++depth;
        } else if (rtf[end] == '}') {
            if (depth-- == 0)
                break;
        }
    }
    if (end >= limit)
        return {};
    const std::string inner =
        "{\\rtf1 " + std::string(rtf.substr(at + word.size(), end - at - word.size())) + "}";
    std::string text;
    if (!RtfToPlainText(inner, &text))
        return {};
    return QString::fromUtf8(text).simplified();
}

} // namespace narrix
