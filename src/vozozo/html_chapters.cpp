// Headings, title and author of an HTML page, found by one forward scan over the source.
#include "vozozo/document_chapters.h"

#include "base/ascii_case.h"
#include "base/html_to_text.h"

namespace narrix {
namespace {

// How far a heading's closing tag, a title's or a comment's end is looked for: a heading longer than
// this is no heading, and the scan stays linear whatever the page holds.
constexpr std::size_t kHeadingSearch = 4096;

// The position of `needle` (lower case) in text[from, limit), letter case ignored; npos when absent.
std::size_t findFolded(std::string_view text, std::string_view needle, std::size_t from = 0,
                       std::size_t limit = std::string_view::npos)
{
    limit = std::min(limit, text.size());
    for (std::size_t at = from; at + needle.size() <= limit; ++at) {
        if (startsWithIgnoringAsciiCase(text.substr(at), needle))
            return at;
    }
    return std::string_view::npos;
}

bool endsTagName(std::string_view text, std::size_t at)
{
    if (at >= text.size())
        return true;
    const char c = text[at];
    return c == '>' || c == '/' || c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

QString plainHeading(std::string_view html)
{
    return QString::fromUtf8(HtmlToPlainText(html)).simplified();
}

struct HeadingTag
{
    std::size_t start = 0; // the "<" of <hN>
    int level = 0;
    QString text;
};

// Every heading, skipping comments, scripts and style sheets.
std::vector<HeadingTag> findHeadings(std::string_view html)
{
    std::vector<HeadingTag> headings;
    std::size_t at = 0;
    while ((at = html.find('<', at)) != std::string_view::npos) {
        const std::string_view rest = html.substr(at);
        if (rest.starts_with("<!--")) {
            const std::size_t end = html.find("-->", at + 4);
            at = end == std::string_view::npos ? html.size() : end + 3;
            continue;
        }
        for (const std::string_view skipped : {std::string_view("script"), std::string_view("style")}) {
            if (startsWithIgnoringAsciiCase(rest.substr(1), skipped) &&
                endsTagName(html, at + 1 + skipped.size())) {
                const std::string close = "</" + std::string(skipped);
                const std::size_t end = findFolded(html, close, at + 1);
                at = end == std::string_view::npos ? html.size() : end;
                break;
            }
        }
        if (at >= html.size() || html[at] != '<' || html.substr(at).starts_with("</")) {
            at += at < html.size() ? 1 : 0;
            continue;
        }
        const char h = at + 2 < html.size() ? html[at + 1] : '\0';
        const char digit = at + 2 < html.size() ? html[at + 2] : '\0';
        if ((h == 'h' || h == 'H') && digit >= '1' && digit <= '6' && endsTagName(html, at + 3)) {
            const std::size_t open = html.find('>', at);
            const std::string close = std::string("</h") + digit;
            const std::size_t end = open == std::string_view::npos
                                        ? open
                                        : findFolded(html, close, open + 1, open + 1 + kHeadingSearch);
            if (end != std::string_view::npos) {
                headings.push_back({at, digit - '0', plainHeading(html.substr(open + 1, end - open - 1))});
                at = end;
                continue;
            }
        }
        ++at;
    }
    return headings;
}

// The value of attribute `name` in a tag's source ("<meta name=author content='...'>").
std::string attributeValue(std::string_view tag, std::string_view name)
{
    std::size_t at = 0;
    while ((at = findFolded(tag, name, at)) != std::string_view::npos) {
        const bool starts = at > 0 && (tag[at - 1] == ' ' || tag[at - 1] == '\t' || tag[at - 1] == '\n' ||
                                       tag[at - 1] == '\r');
        std::size_t value = at + name.size();
        while (value < tag.size() && tag[value] == ' ')
            ++value;
        if (!starts || value >= tag.size() || tag[value] != '=') {
            at += name.size();
            continue;
        }
        ++value;
        while (value < tag.size() && tag[value] == ' ')
            ++value;
        if (value < tag.size() && (tag[value] == '"' || tag[value] == '\'')) {
            const std::size_t end = tag.find(tag[value], value + 1);
            return std::string(tag.substr(value + 1, end == std::string_view::npos ? end : end - value - 1));
        }
        std::size_t end = value;
        while (end < tag.size() && tag[end] != ' ' && tag[end] != '>' && tag[end] != '/')
            ++end;
        return std::string(tag.substr(value, end - value));
    }
    return {};
}

} // namespace

std::vector<DocumentBlock> htmlBlocks(std::string_view html)
{
    const std::vector<HeadingTag> headings = findHeadings(html);
    std::vector<DocumentBlock> blocks;
    const std::size_t first = headings.empty() ? html.size() : headings.front().start;
    blocks.push_back({0, {}, HtmlToSpeechText(html.substr(0, first))});
    for (std::size_t i = 0; i < headings.size(); ++i) {
        const std::size_t end = i + 1 < headings.size() ? headings[i + 1].start : html.size();
        blocks.push_back({headings[i].level, headings[i].text,
                          HtmlToSpeechText(html.substr(headings[i].start, end - headings[i].start))});
    }
    return blocks;
}

QString htmlTitle(std::string_view html)
{
    const std::size_t open = findFolded(html, "<title");
    if (open == std::string_view::npos || !endsTagName(html, open + 6))
        return {};
    const std::size_t start = html.find('>', open);
    const std::size_t end =
        start == std::string_view::npos ? start : findFolded(html, "</title", start, start + kHeadingSearch);
    return end == std::string_view::npos ? QString() : plainHeading(html.substr(start + 1, end - start - 1));
}

QString htmlAuthor(std::string_view html)
{
    // Only the head names the author: the search ends at <body>.
    const std::size_t body = findFolded(html, "<body");
    const std::string_view head = html.substr(0, body);
    std::size_t at = 0;
    while ((at = findFolded(head, "<meta", at)) != std::string_view::npos) {
        const std::size_t end = head.find('>', at);
        const std::string_view tag = head.substr(at, end == std::string_view::npos ? end : end - at + 1);
        if (equalsIgnoringAsciiCase(attributeValue(tag, "name"), "author"))
            return plainHeading(attributeValue(tag, "content"));
        at += 5;
    }
    return {};
}

} // namespace narrix
