#include "documents/odt_reader.h"

#include "documents/archive_members.h"
#include "documents/office_body_reader.h"
#include "documents/xml_attributes.h"

#include <QXmlStreamReader>

#include <map>
#include <optional>
#include <vector>

namespace narrix {
namespace {

struct OdtStyle
{
    QString parent;
    std::optional<bool> bold;
    std::optional<bool> italic;
};

using OdtStyles = std::map<QString, OdtStyle>;

bool isBoldWeight(const QString& weight)
{
    return weight == QLatin1String("bold") || weight.toInt() >= 600;
}

// Reads one <style:style> element (the reader stands on it) into `styles`.
void readStyle(QXmlStreamReader& xml, OdtStyles* styles)
{
    const QString name = xmlAttribute(xml, u"name");
    OdtStyle style;
    style.parent = xmlAttribute(xml, u"parent-style-name");
    while (xml.readNextStartElement()) {
        if (xml.name() == u"text-properties") {
            if (const QString weight = xmlAttribute(xml, u"font-weight"); !weight.isEmpty())
                style.bold = isBoldWeight(weight);
            if (const QString slant = xmlAttribute(xml, u"font-style"); !slant.isEmpty())
                style.italic = slant == QLatin1String("italic") || slant == QLatin1String("oblique");
        }
        xml.skipCurrentElement();
    }
    (*styles)[name] = style;
}

RunStyle resolvedStyle(const OdtStyles& styles, const QString& name, RunStyle outer)
{
    std::optional<bool> bold;
    std::optional<bool> italic;
    QString current = name;
    for (int depth = 0; depth < 16 && !current.isEmpty(); ++depth) {
        const auto found = styles.find(current);
        if (found == styles.end())
            break;
        if (!bold)
            bold = found->second.bold;
        if (!italic)
            italic = found->second.italic;
        current = found->second.parent;
    }
    return {bold.value_or(outer.bold), italic.value_or(outer.italic)};
}

// Every <style:style> of a styles document or of content.xml's automatic styles.
bool readStyles(const std::string& bytes, const std::string& member, OdtStyles* styles, std::string* error)
{
    QXmlStreamReader xml(xmlBytes(bytes));
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (xml.name() == u"style")
            readStyle(xml, styles);
        else if (xml.name() == u"body" || xml.name() == u"master-styles")
            xml.skipCurrentElement();
    }
    if (xml.hasError()) {
        *error = xmlProblem(xml, member);
        return false;
    }
    return true;
}

// ODF collapses white space in paragraph text to single blanks.
std::string collapsedWhiteSpace(QStringView text, bool* lastWasBlank)
{
    QString kept;
    kept.reserve(text.size());
    for (const QChar c : text) {
        const bool blank = c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') ||
                           c == QLatin1Char('\r');
        if (blank) {
            if (!*lastWasBlank)
                kept += QLatin1Char(' ');
            *lastWasBlank = true;
        } else {
            kept += c;
            *lastWasBlank = false;
        }
    }
    return kept.toStdString();
}

class OdtBodyReader final : public OfficeBodyReader
{
public:
    explicit OdtBodyReader(const OdtStyles& styles)
        : OfficeBodyReader({u"table", u"table-row", u"table-cell", u"covered-table-cell"}), styles_(styles)
    {
    }

private:
    void characters(QStringView text) override
    {
        if (!styleStack_.empty())
            builder_.text(collapsedWhiteSpace(text, &lastWasBlank_), styleStack_.back());
    }

    void start(QXmlStreamReader& xml) override
    {
        const QStringView name = xml.name();
        if (name == u"automatic-styles" || name == u"font-face-decls" || name == u"annotation" ||
            name == u"tracked-changes" || name == u"sequence-decls" || name == u"table-column" ||
            name == u"scripts" || name == u"forms") {
            xml.skipCurrentElement();
        } else if (name == u"h" || name == u"p") {
            int heading = 0;
            if (name == u"h")
                heading = std::max(1, xmlAttribute(xml, u"outline-level").toInt());
            builder_.beginParagraph(heading, listItemPending_ ? listDepth_ - 1 : -1);
            listItemPending_ = false;
            lastWasBlank_ = true;
            styleStack_.push_back(resolvedStyle(styles_, xmlAttribute(xml, u"style-name"), {}));
        } else if (styleStack_.empty()) {
            structure(name);
        } else if (name == u"span" || name == u"a") {
            styleStack_.push_back(
                resolvedStyle(styles_, xmlAttribute(xml, u"style-name"), styleStack_.back()));
        } else if (name == u"s") {
            const int count = std::clamp(xmlAttribute(xml, u"c").toInt(), 1, 1000);
            builder_.text(std::string(static_cast<std::size_t>(count), ' '), styleStack_.back());
            lastWasBlank_ = true;
        } else if (name == u"tab") {
            builder_.text("\t", styleStack_.back());
            lastWasBlank_ = true;
        } else if (name == u"line-break") {
            builder_.lineBreak();
            lastWasBlank_ = true;
        } else if (name == u"note") {
            builder_.note(noteText(xml));
        } else {
            structure(name);
        }
    }

    // Lists and tables, outside paragraphs or inside one (a frame's text box).
    void structure(QStringView name)
    {
        if (name == u"list") {
            ++listDepth_;
        } else if (name == u"list-item" || name == u"list-header") {
            listItemPending_ = name == u"list-item";
        } else {
            startTableElement(name);
        }
    }

    void end(QStringView name) override
    {
        if (name == u"h" || name == u"p") {
            if (!styleStack_.empty())
                styleStack_.pop_back();
            builder_.endParagraph();
        } else if ((name == u"span" || name == u"a") && styleStack_.size() > 1) {
            styleStack_.pop_back();
        } else if (name == u"list") {
            listDepth_ = std::max(0, listDepth_ - 1);
        } else {
            endTableElement(name);
        }
    }

    // The body of the <text:note> the reader stands on, its paragraphs joined by blanks; the reader
    // ends on the note's end.
    static std::string noteText(QXmlStreamReader& xml)
    {
        std::string text;
        bool lastWasBlank = true;
        int depth = 1;
        int citationDepth = 0;
        while (depth > 0 && !xml.atEnd()) {
            const auto token = xml.readNext();
            if (token == QXmlStreamReader::StartElement) {
                ++depth;
                if (xml.name() == u"note-citation")
                    citationDepth = depth;
                else if (xml.name() == u"p" && !text.empty() && !lastWasBlank) {
                    text += ' ';
                    lastWasBlank = true;
                }
            } else if (token == QXmlStreamReader::EndElement) {
                if (depth == citationDepth)
                    citationDepth = 0;
                --depth;
            } else if (token == QXmlStreamReader::Characters && citationDepth == 0) {
                text += collapsedWhiteSpace(xml.text(), &lastWasBlank);
            }
        }
        while (!text.empty() && text.back() == ' ')
            text.pop_back();
        return text;
    }

    const OdtStyles& styles_;
    std::vector<RunStyle> styleStack_; // non-empty inside a paragraph or heading
    int listDepth_ = 0;
    bool listItemPending_ = false;
    bool lastWasBlank_ = true;
};

} // namespace

bool readOdt(ArchiveMembers& archive, RtfDocument* document, std::string* error)
{
    if (!archive.contains("content.xml")) {
        *error = "not an OpenDocument text: the archive holds no content.xml";
        return false;
    }
    OdtStyles styles;
    if (archive.contains("styles.xml")) {
        const std::optional<std::string> common = archive.read("styles.xml", error);
        if (!common || !readStyles(*common, "styles.xml", &styles, error))
            return false;
    }
    const std::optional<std::string> content = archive.read("content.xml", error);
    if (!content || !readStyles(*content, "content.xml", &styles, error))
        return false;
    return OdtBodyReader(styles).read(*content, "content.xml", document, error);
}

} // namespace narrix
