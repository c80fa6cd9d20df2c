#include "documents/pdf_page_text.h"

#include <algorithm>

namespace narrix {
namespace {

constexpr int kEdgeLines = 2; // how many lines at each end of a page may be running lines

bool isLineEndHyphen(QChar c)
{
    return c == QLatin1Char('-') || c == QChar(0x00AD) || c == QChar(0x2010);
}

} // namespace

QString RunningLines::keyOf(const QString& line)
{
    const QString simplified = line.simplified();
    QString key;
    key.reserve(simplified.size());
    for (const QChar c : simplified) {
        if (c.isDigit()) {
            if (!key.endsWith(QLatin1Char('#')))
                key += QLatin1Char('#');
        } else {
            key += c;
        }
    }
    return key;
}

void RunningLines::learn(const std::vector<QStringList>& pages)
{
    running_.clear();
    if (pages.size() < 3)
        return;
    std::map<QString, int> atEdges;   // pages on which the line opens or closes the page
    std::map<QString, int> elsewhere; // times it stands amid a page's text
    for (const QStringList& lines : pages) {
        QStringList keys; // a line counts once per page
        const auto count = static_cast<int>(lines.size());
        for (int i = 0; i < count; ++i) {
            const QString key = keyOf(lines[i]);
            if (i >= kEdgeLines && i < count - kEdgeLines)
                ++elsewhere[key];
            else if (!keys.contains(key))
                keys << key;
        }
        for (const QString& key : keys)
            ++atEdges[key];
    }
    const auto half = static_cast<int>(pages.size() / 2);
    for (const auto& [key, pagesWithIt] : atEdges) {
        // A line of the text itself that happens to repeat shows up amid pages too.
        const auto found = elsewhere.find(key);
        const int amid = found == elsewhere.end() ? 0 : found->second;
        if (pagesWithIt > half && amid * 4 < pagesWithIt)
            running_.emplace(key, pagesWithIt);
    }
}

bool RunningLines::isRunning(const QString& line) const
{
    return running_.contains(keyOf(line));
}

QStringList RunningLines::strip(QStringList lines) const
{
    if (running_.empty())
        return lines;
    // A page number may sit below a chapter's title in the header: each edge line is judged alone.
    QStringList kept;
    const auto count = static_cast<int>(lines.size());
    for (int i = 0; i < count; ++i) {
        const bool edge = i < kEdgeLines || i >= count - kEdgeLines;
        if (!edge || !isRunning(lines[i]))
            kept << std::move(lines[i]);
    }
    return kept;
}

QStringList pageLines(const QString& pageText)
{
    QStringList lines;
    for (const QStringView line : QStringView(pageText).split(QLatin1Char('\n'))) {
        const QStringView trimmed = line.trimmed();
        if (!trimmed.isEmpty())
            lines << trimmed.toString();
    }
    return lines;
}

void appendJoined(QString& text, const QString& next, QStringView separator)
{
    if (next.isEmpty())
        return;
    const qsizetype n = text.size();
    const bool hyphenated =
        n >= 2 && isLineEndHyphen(text[n - 1]) && text[n - 2].isLetter() && next.front().isLower();
    if (hyphenated)
        text.chop(1);
    else if (!text.isEmpty())
        text += separator;
    text += next;
}

QString joinPageLines(const QStringList& lines)
{
    QString text;
    for (const QString& line : lines)
        appendJoined(text, line, u"\n");
    return text;
}

void stripPageNumber(QStringList& lines, const QString& label)
{
    if (label.isEmpty() || lines.isEmpty())
        return;
    const auto isNumber = [&](const QString& line) {
        QString bare = line.simplified();
        bare.remove(QLatin1Char('-'));
        if (bare.startsWith(QLatin1String("Page "), Qt::CaseInsensitive))
            bare.remove(0, 5);
        return bare.trimmed() == label;
    };
    // A header or footer set flush with the page number: "Chapter 2: Syntax          3".
    const auto withoutNumber = [&](const QString& line) {
        static const QString gap = QStringLiteral("   ");
        if (line.endsWith(label) && line.chopped(label.size()).endsWith(gap))
            return line.chopped(label.size()).trimmed();
        if (line.startsWith(label) && line.mid(label.size()).startsWith(gap))
            return line.mid(label.size()).trimmed();
        return line;
    };
    const auto count = static_cast<int>(lines.size());
    QStringList kept;
    for (int i = 0; i < count; ++i) {
        const bool edge = i < kEdgeLines || i >= count - kEdgeLines;
        if (!edge) {
            kept << lines[i];
        } else if (!isNumber(lines[i])) {
            kept << withoutNumber(lines[i]);
        }
    }
    lines = std::move(kept);
}

} // namespace narrix
