#include "documents/epub_reader.h"

#include "base/ascii_case.h"
#include "base/html_to_text.h"
#include "base/text_encoding.h"
#include "base/text_trim.h"
#include "documents/archive_members.h"
#include "documents/document_pieces.h"
#include "documents/xml_attributes.h"

#include <QDir>
#include <QUrl>
#include <QXmlStreamReader>

#include <map>
#include <optional>
#include <vector>

namespace narrix {
namespace {

// Font obfuscation of the IDPF and of Adobe scrambles embedded fonts only; any other algorithm in
// encryption.xml means the book's content is encrypted.
bool onlyFontsObfuscated(const std::string& encryption, std::string* error)
{
    QXmlStreamReader xml(xmlBytes(encryption));
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != u"EncryptionMethod")
            continue;
        const QString algorithm = xmlAttribute(xml, u"Algorithm");
        if (algorithm != QLatin1String("http://www.idpf.org/2008/embedding") &&
            algorithm != QLatin1String("http://ns.adobe.com/pdf/enc#RC"))
            return false;
    }
    if (xml.hasError()) {
        *error = xmlProblem(xml, "META-INF/encryption.xml");
        return false;
    }
    return true;
}

// A reference found in `base` (a member's path) as a member name: relative to base's folder, its
// %-escapes decoded, "." and ".." resolved, without a "#fragment".
QString memberOf(const QString& base, const QString& href)
{
    QString target = href.section(QLatin1Char('#'), 0, 0);
    target = QUrl::fromPercentEncoding(target.toUtf8());
    const qsizetype slash = base.lastIndexOf(QLatin1Char('/'));
    if (!target.startsWith(QLatin1Char('/')) && slash >= 0)
        target = base.left(slash + 1) + target;
    target = QDir::cleanPath(target);
    while (target.startsWith(QLatin1Char('/')))
        target.remove(0, 1);
    return target;
}

struct Package
{
    std::vector<QString> spine; // member names in reading order
    QString navigation;         // the EPUB 3 navigation document, if any
    QString ncx;                // the EPUB 2 table of contents, if any
};

bool readPackage(const std::string& bytes, const QString& opfPath, Package* package, std::string* error)
{
    struct ManifestItem
    {
        QString href;
        QString mediaType;
    };
    std::map<QString, ManifestItem> manifest;
    std::vector<QString> spineIds;
    QString tocId;
    QXmlStreamReader xml(xmlBytes(bytes));
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QStringView name = xml.name();
        if (name == u"item") {
            const QString href = memberOf(opfPath, xmlAttribute(xml, u"href"));
            manifest[xmlAttribute(xml, u"id")] = {href, xmlAttribute(xml, u"media-type")};
            if (xmlAttribute(xml, u"properties").split(QLatin1Char(' ')).contains(QLatin1String("nav")))
                package->navigation = href;
        } else if (name == u"spine") {
            tocId = xmlAttribute(xml, u"toc");
        } else if (name == u"itemref") {
            if (xmlAttribute(xml, u"linear") != QLatin1String("no"))
                spineIds.push_back(xmlAttribute(xml, u"idref"));
        }
    }
    const std::string opfName = opfPath.toStdString();
    if (xml.hasError()) {
        *error = xmlProblem(xml, opfName);
        return false;
    }
    for (const QString& id : spineIds) {
        const auto found = manifest.find(id);
        if (found == manifest.end()) {
            *error = "the book's spine names \"" + id.toStdString() + "\", which its manifest lacks";
            return false;
        }
        package->spine.push_back(found->second.href);
    }
    if (const auto toc = manifest.find(tocId); toc != manifest.end())
        package->ncx = toc->second.href;
    if (package->spine.empty()) {
        *error = opfName + " has no spine: the book has nothing to read";
        return false;
    }
    return true;
}

using ChapterTitles = std::map<QString, QString>; // member -> its first title in the table of contents

void addTitle(ChapterTitles* titles, const QString& member, const QString& title)
{
    const QString simplified = title.simplified();
    if (!simplified.isEmpty())
        titles->emplace(member, simplified);
}

// The titles of an EPUB 3 navigation document's <nav epub:type="toc">.
void readNavigationTitles(const std::string& bytes, const QString& path, ChapterTitles* titles)
{
    QXmlStreamReader xml(xmlBytes(bytes));
    int tocDepth = 0;
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            if (tocDepth > 0)
                ++tocDepth;
            else if (xml.name() == u"nav" && xmlAttribute(xml, u"type").contains(QLatin1String("toc")))
                tocDepth = 1;
            if (tocDepth > 0 && xml.name() == u"a") {
                const QString member = memberOf(path, xmlAttribute(xml, u"href"));
                addTitle(titles, member, xml.readElementText(QXmlStreamReader::IncludeChildElements));
                --tocDepth;
            }
        } else if (token == QXmlStreamReader::EndElement && tocDepth > 0) {
            --tocDepth;
        }
    }
}

// The titles of an EPUB 2 NCX: each navPoint's label and content source.
void readNcxTitles(const std::string& bytes, const QString& path, ChapterTitles* titles)
{
    QXmlStreamReader xml(xmlBytes(bytes));
    std::vector<QString> labels; // one per open navPoint
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            const QStringView name = xml.name();
            if (name == u"navPoint")
                labels.emplace_back();
            else if (name == u"text" && !labels.empty() && labels.back().isEmpty())
                labels.back() = xml.readElementText();
            else if (name == u"content" && !labels.empty())
                addTitle(titles, memberOf(path, xmlAttribute(xml, u"src")), labels.back());
        } else if (token == QXmlStreamReader::EndElement && xml.name() == u"navPoint" && !labels.empty()) {
            labels.pop_back();
        }
    }
}

// What lies between <body ...> and </body> (the whole text when it has no body), so the head's
// title and style sheet are not read out.
std::string_view bodyOf(std::string_view html)
{
    const std::string lower = toLowerAscii(html.substr(0, std::min<std::size_t>(html.size(), 1 << 16)));
    const std::size_t open = lower.find("<body");
    if (open == std::string::npos)
        return html;
    const std::size_t start = html.find('>', open);
    if (start == std::string_view::npos)
        return html;
    std::string_view body = html.substr(start + 1);
    const std::size_t tail = body.size() > 256 ? body.size() - 256 : 0;
    const std::string end = toLowerAscii(body.substr(tail));
    if (const std::size_t close = end.rfind("</body"); close != std::string::npos)
        body = body.substr(0, tail + close);
    return body;
}

// Appends the chapter, its line breaks as "\n" and its ends trimmed, after a blank line when text
// came before it (`after`).
void appendChapter(std::string* text, std::string chapter, bool after)
{
    std::string normalised;
    normalised.reserve(chapter.size());
    for (std::size_t i = 0; i < chapter.size(); ++i) {
        if (chapter[i] == '\r') {
            normalised += '\n';
            if (i + 1 < chapter.size() && chapter[i + 1] == '\n')
                ++i;
        } else {
            normalised += chapter[i];
        }
    }
    const std::string_view trimmed = trimView(normalised);
    if (trimmed.empty())
        return;
    if (after || !text->empty())
        *text += "\n\n";
    text->append(trimmed);
}

// A book's chapters one after the other: each piece is a spine item's text, after the blank line that
// separates it from the text before.
class EpubPieces final : public DocumentPieces
{
public:
    EpubPieces(ArchiveMembers& archive, std::unique_ptr<ArchiveMembers> owned, Package package,
               ChapterTitles titles)
        : owned_(std::move(owned)), archive_(archive), package_(std::move(package)),
          titles_(std::move(titles))
    {
    }

    std::optional<std::string> next(std::string* error) override
    {
        while (next_ < package_.spine.size()) {
            const QString& member = package_.spine[next_++];
            const std::string name = member.toStdString();
            if (!archive_.contains(name)) {
                *error = "the book's spine names " + name + ", which is missing from the book";
                next_ = package_.spine.size();
                return std::nullopt;
            }
            const std::optional<std::string> page = archive_.read(name, error);
            if (!page) {
                next_ = package_.spine.size();
                return std::nullopt;
            }
            std::string chapter = HtmlToPlainText(bodyOf(decodeToUtf8(*page)));
            if (const auto title = titles_.find(member); title != titles_.end()) {
                const std::string heading = title->second.toStdString();
                if (!trimView(chapter).starts_with(heading))
                    chapter = heading + "\n" + chapter;
            }
            std::string piece;
            appendChapter(&piece, std::move(chapter), anyText_);
            if (!piece.empty()) {
                anyText_ = true;
                return piece;
            }
        }
        return std::nullopt;
    }

private:
    std::unique_ptr<ArchiveMembers> owned_; // the archive, when the pieces hold it
    ArchiveMembers& archive_;
    Package package_;
    ChapterTitles titles_;
    std::size_t next_ = 0;
    bool anyText_ = false;
};

std::unique_ptr<DocumentPieces> openEpub(ArchiveMembers& archive, std::unique_ptr<ArchiveMembers> owned,
                                         std::string* error)
{
    if (archive.contains("META-INF/encryption.xml")) {
        const std::optional<std::string> encryption = archive.read("META-INF/encryption.xml", error);
        if (!encryption)
            return nullptr;
        if (!onlyFontsObfuscated(*encryption, error)) {
            if (error->empty())
                *error = "this e-book is protected by DRM (its content is encrypted) and cannot be read";
            return nullptr;
        }
    }
    if (!archive.contains("META-INF/container.xml")) {
        *error = "not an EPUB book: the archive holds no META-INF/container.xml";
        return nullptr;
    }
    const std::optional<std::string> container = archive.read("META-INF/container.xml", error);
    if (!container)
        return nullptr;
    QString opfPath;
    QXmlStreamReader xml(xmlBytes(*container));
    while (opfPath.isEmpty() && !xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"rootfile")
            opfPath = memberOf(QString(), xmlAttribute(xml, u"full-path"));
    }
    if (opfPath.isEmpty()) {
        *error = xml.hasError() ? xmlProblem(xml, "META-INF/container.xml")
                                : "META-INF/container.xml names no package file";
        return nullptr;
    }
    const std::optional<std::string> opf = archive.read(opfPath.toStdString(), error);
    if (!opf)
        return nullptr;
    Package package;
    if (!readPackage(*opf, opfPath, &package, error))
        return nullptr;

    ChapterTitles titles;
    std::string ignored;
    if (!package.navigation.isEmpty()) {
        if (const auto nav = archive.read(package.navigation.toStdString(), &ignored))
            readNavigationTitles(*nav, package.navigation, &titles);
    }
    if (titles.empty() && !package.ncx.isEmpty()) {
        if (const auto ncx = archive.read(package.ncx.toStdString(), &ignored))
            readNcxTitles(*ncx, package.ncx, &titles);
    }
    return std::make_unique<EpubPieces>(archive, std::move(owned), std::move(package), std::move(titles));
}

} // namespace

bool readEpub(ArchiveMembers& archive, std::string* text, std::string* error)
{
    const std::unique_ptr<DocumentPieces> pieces = openEpub(archive, nullptr, error);
    return pieces && readAllPieces(*pieces, text, error);
}

std::unique_ptr<DocumentPieces> openEpubPieces(std::unique_ptr<ArchiveMembers> archive, std::string* error)
{
    ArchiveMembers& members = *archive;
    return openEpub(members, std::move(archive), error);
}

} // namespace narrix
