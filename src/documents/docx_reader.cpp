#include "documents/docx_reader.h"

#include "documents/archive_members.h"
#include "documents/office_body_reader.h"
#include "documents/xml_attributes.h"

#include <QRegularExpression>
#include <QXmlStreamReader>

#include <map>
#include <optional>

namespace narrix {
namespace {

struct DocxStyle
{
    QString basedOn;
    int headingLevel = 0;
    std::optional<bool> bold;
    std::optional<bool> italic;
};

using DocxStyles = std::map<QString, DocxStyle>;
using DocxNotes = std::map<QString, std::string>;

// <w:b/>, <w:b w:val="true"/> and <w:b w:val="1"/> switch a property on; "0", "false", "off" off.
bool switchedOn(const QXmlStreamReader& xml)
{
    const QString value = xmlAttribute(xml, u"val");
    return value != QLatin1String("0") && value != QLatin1String("false") && value != QLatin1String("off");
}

int headingLevelOfName(const QString& name)
{
    static const QRegularExpression heading(QStringLiteral("^heading\\s*([1-9])$"),
                                            QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = heading.match(name.trimmed());
    if (match.hasMatch())
        return match.captured(1).toInt();
    if (name.compare(QLatin1String("Title"), Qt::CaseInsensitive) == 0)
        return 1;
    if (name.compare(QLatin1String("Subtitle"), Qt::CaseInsensitive) == 0)
        return 2;
    return 0;
}

bool readStyles(const std::string& bytes, DocxStyles* styles, std::string* error)
{
    QXmlStreamReader xml(xmlBytes(bytes));
    QString id;
    DocxStyle style;
    bool inStyle = false;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            const QStringView name = xml.name();
            if (name == u"style") {
                inStyle = true;
                id = xmlAttribute(xml, u"styleId");
                style = {};
            } else if (!inStyle) {
                continue;
            } else if (name == u"name") {
                if (const int level = headingLevelOfName(xmlAttribute(xml, u"val")); level > 0)
                    style.headingLevel = level;
            } else if (name == u"basedOn") {
                style.basedOn = xmlAttribute(xml, u"val");
            } else if (name == u"outlineLvl") {
                const int level = xmlAttribute(xml, u"val").toInt();
                if (level >= 0 && level < 9)
                    style.headingLevel = level + 1;
            } else if (name == u"b") {
                style.bold = switchedOn(xml);
            } else if (name == u"i") {
                style.italic = switchedOn(xml);
            }
        } else if (token == QXmlStreamReader::EndElement && xml.name() == u"style" && inStyle) {
            inStyle = false;
            (*styles)[id] = style;
        }
    }
    if (xml.hasError()) {
        *error = xmlProblem(xml, "word/styles.xml");
        return false;
    }
    return true;
}

// A style with what it inherits through basedOn laid under it (a cycle or a long chain stops).
DocxStyle resolvedStyle(const DocxStyles& styles, const QString& id)
{
    DocxStyle result;
    QString current = id;
    for (int depth = 0; depth < 16 && !current.isEmpty(); ++depth) {
        const auto found = styles.find(current);
        if (found == styles.end())
            break;
        const DocxStyle& style = found->second;
        if (result.headingLevel == 0)
            result.headingLevel = style.headingLevel;
        if (!result.bold)
            result.bold = style.bold;
        if (!result.italic)
            result.italic = style.italic;
        current = style.basedOn;
    }
    if (styles.empty())
        result.headingLevel =
            headingLevelOfName(QString(id).replace(QLatin1String("Heading"), QLatin1String("heading ")));
    return result;
}

// The plain text of each footnote (or endnote) by id, its paragraphs joined by blanks.
bool readNotes(const std::string& bytes, const std::string& member, QStringView element, DocxNotes* notes,
               std::string* error)
{
    QXmlStreamReader xml(xmlBytes(bytes));
    QString id;
    std::string text;
    bool inNote = false;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            const QStringView name = xml.name();
            if (name == element) {
                inNote = true;
                id = xmlAttribute(xml, u"id");
                text.clear();
            } else if (inNote && name == u"t") {
                text += xml.readElementText().toStdString();
            } else if (inNote && name == u"tab") {
                text += ' ';
            } else if (inNote && name == u"p" && !text.empty()) {
                text += ' ';
            } else if (name == u"delText" || name == u"instrText" || name == u"Fallback") {
                xml.skipCurrentElement();
            }
        } else if (token == QXmlStreamReader::EndElement && xml.name() == element && inNote) {
            inNote = false;
            const auto first = text.find_first_not_of(' ');
            (*notes)[id] = first == std::string::npos ? std::string() : text.substr(first);
        }
    }
    if (xml.hasError()) {
        *error = xmlProblem(xml, member);
        return false;
    }
    return true;
}

// Reads an optional member of the archive; a missing one is no error.
bool readOptional(ArchiveMembers& archive, const std::string& name, std::string* bytes, std::string* error)
{
    if (!archive.contains(name))
        return true;
    std::optional<std::string> read = archive.read(name, error);
    if (!read)
        return false;
    *bytes = std::move(*read);
    return true;
}

class DocxBodyReader final : public OfficeBodyReader
{
public:
    DocxBodyReader(const DocxStyles& styles, const DocxNotes& footnotes, const DocxNotes& endnotes)
        : OfficeBodyReader({u"tbl", u"tr", u"tc", {}}), styles_(styles), footnotes_(footnotes),
          endnotes_(endnotes)
    {
    }

private:
    void start(QXmlStreamReader& xml) override
    {
        const QStringView name = xml.name();
        if (propertiesDepth_ > 0) {
            ++propertiesDepth_;
            paragraphProperty(xml, name);
            return;
        }
        if (name == u"p") {
            pending_ = true;
            paragraphStyle_ = {};
            listLevel_ = -1;
            return;
        }
        if (name == u"pPr") {
            propertiesDepth_ = 1;
            return;
        }
        beginPendingParagraph();
        if (name == u"r") {
            run_ = {};
        } else if (name == u"rPr") {
            inRunProperties_ = true;
        } else if (inRunProperties_) {
            runProperty(xml, name);
        } else if (name == u"t") {
            builder_.text(xml.readElementText().toStdString(), effectiveStyle());
        } else if (name == u"tab") {
            builder_.text("\t", effectiveStyle());
        } else if (name == u"br" || name == u"cr") {
            builder_.lineBreak();
        } else if (name == u"noBreakHyphen") {
            builder_.text("-", effectiveStyle());
        } else if (name == u"footnoteReference") {
            note(footnotes_, xml);
        } else if (name == u"endnoteReference") {
            note(endnotes_, xml);
        } else if (name == u"delText" || name == u"instrText" || name == u"Fallback" || name == u"sectPr" ||
                   name == u"tblPr" || name == u"tcPr" || name == u"trPr") {
            xml.skipCurrentElement();
        } else {
            startTableElement(name);
        }
    }

    void end(QStringView name) override
    {
        if (propertiesDepth_ > 0) {
            --propertiesDepth_;
            return;
        }
        if (name == u"p") {
            beginPendingParagraph();
            builder_.endParagraph();
        } else if (name == u"rPr") {
            inRunProperties_ = false;
        } else {
            endTableElement(name);
        }
    }

    void paragraphProperty(const QXmlStreamReader& xml, QStringView name)
    {
        if (name == u"pStyle") {
            paragraphStyle_ = resolvedStyle(styles_, xmlAttribute(xml, u"val"));
        } else if (name == u"ilvl") {
            listLevel_ = xmlAttribute(xml, u"val").toInt();
        } else if (name == u"numId" && listLevel_ < 0) {
            // A numbering id of 0 takes the paragraph out of a list.
            listLevel_ = xmlAttribute(xml, u"val").toInt() == 0 ? -1 : 0;
        } else if (name == u"outlineLvl") {
            const int level = xmlAttribute(xml, u"val").toInt();
            if (level >= 0 && level < 9)
                paragraphStyle_.headingLevel = level + 1;
        }
    }

    void runProperty(const QXmlStreamReader& xml, QStringView name)
    {
        if (name == u"b")
            run_.bold = switchedOn(xml);
        else if (name == u"i")
            run_.italic = switchedOn(xml);
        else if (name == u"rStyle")
            run_.style = resolvedStyle(styles_, xmlAttribute(xml, u"val"));
    }

    void beginPendingParagraph()
    {
        if (!pending_)
            return;
        pending_ = false;
        builder_.beginParagraph(paragraphStyle_.headingLevel, listLevel_);
    }

    RunStyle effectiveStyle() const
    {
        RunStyle style;
        style.bold = run_.bold.value_or(run_.style.bold.value_or(paragraphStyle_.bold.value_or(false)));
        style.italic =
            run_.italic.value_or(run_.style.italic.value_or(paragraphStyle_.italic.value_or(false)));
        return style;
    }

    void note(const DocxNotes& notes, const QXmlStreamReader& xml)
    {
        const auto found = notes.find(xmlAttribute(xml, u"id"));
        if (found != notes.end())
            builder_.note(found->second);
    }

    struct RunProperties
    {
        std::optional<bool> bold;
        std::optional<bool> italic;
        DocxStyle style;
    };

    const DocxStyles& styles_;
    const DocxNotes& footnotes_;
    const DocxNotes& endnotes_;
    DocxStyle paragraphStyle_;
    RunProperties run_;
    int listLevel_ = -1;
    int propertiesDepth_ = 0;
    bool inRunProperties_ = false;
    bool pending_ = false;
};

} // namespace

bool readDocx(ArchiveMembers& archive, RtfDocument* document, std::string* error)
{
    if (!archive.contains("word/document.xml")) {
        *error = "not a Word document: the archive holds no word/document.xml";
        return false;
    }
    std::optional<std::string> body = archive.read("word/document.xml", error);
    if (!body)
        return false;
    std::string bytes;
    DocxStyles styles;
    if (!readOptional(archive, "word/styles.xml", &bytes, error) ||
        (!bytes.empty() && !readStyles(bytes, &styles, error)))
        return false;
    DocxNotes footnotes;
    bytes.clear();
    if (!readOptional(archive, "word/footnotes.xml", &bytes, error) ||
        (!bytes.empty() && !readNotes(bytes, "word/footnotes.xml", u"footnote", &footnotes, error)))
        return false;
    DocxNotes endnotes;
    bytes.clear();
    if (!readOptional(archive, "word/endnotes.xml", &bytes, error) ||
        (!bytes.empty() && !readNotes(bytes, "word/endnotes.xml", u"endnote", &endnotes, error)))
        return false;
    return DocxBodyReader(styles, footnotes, endnotes).read(*body, "word/document.xml", document, error);
}

} // namespace narrix
