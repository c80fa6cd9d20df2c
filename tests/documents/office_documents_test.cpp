// DOCX, ODT and EPUB files made by pandoc from one Markdown text, read back through the document
// readers; broken archives of the same files are refused with a clear reason.
#include "documents/document_reader.h"
#include "documents/produced_documents.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace narrix {
namespace {

using test::kSampleMarkdown;

struct ProducedCase
{
    const char* pandocFormat;
    const char* fileName;
    DocumentFormat format;
    bool rich;        // headings, bold and italic kept
    bool notesInline; // footnotes after their paragraph as "[N] text"
};

const ProducedCase kProducedCases[] = {
    {"docx", "book.docx", DocumentFormat::Docx, true, true},
    {"odt", "book.ODT", DocumentFormat::Odt, true, true},
    {"epub3", "book.epub", DocumentFormat::Epub, false, false},
    {"epub2", "book2.Epub", DocumentFormat::Epub, false, false},
};

// Where `needles` occur in `text`, in order: each after the one before.
void expectInOrder(const std::string& text, const std::vector<std::string>& needles)
{
    std::size_t from = 0;
    for (const std::string& needle : needles) {
        const std::size_t at = text.find(needle, from);
        ASSERT_NE(at, std::string::npos) << "\"" << needle << "\" missing (in order) from:\n" << text;
        from = at + needle.size();
    }
}

const RtfRun* runWith(const RtfDocument& document, std::string_view text)
{
    for (const RtfRun& run : document.runs) {
        if (run.text.find(text) != std::string::npos)
            return &run;
    }
    return nullptr;
}

class OfficeDocuments : public ::testing::Test
{
protected:
    QString produce(const ProducedCase& c)
    {
        const QString path = folder_.filePath(QString::fromLatin1(c.fileName));
        const QString problem = test::pandoc(kSampleMarkdown, QString::fromLatin1(c.pandocFormat), path);
        EXPECT_TRUE(problem.isEmpty()) << problem.toStdString();
        return path;
    }

    QTemporaryDir folder_;
};

TEST_F(OfficeDocuments, ProducedFilesReadInOrderWithTheirStructure)
{
    for (const ProducedCase& c : kProducedCases) {
        SCOPED_TRACE(c.fileName);
        const QString path = produce(c);
        ASSERT_EQ(documentFormatOf(path.toStdString()), c.format);
        DocumentText read;
        std::string error;
        ASSERT_TRUE(readDocument(path.toStdString(), c.format, {}, &read, &error)) << error;
        const std::string text = read.rich.plainText();
        expectInOrder(text,
                      {"First Chapter\n", "The quick brown fox jumps over the lazy dog. An italic word here.",
                       "apple", "pear", "Name", "Value", "a", "1", "Second Chapter\n",
                       "More text in the second chapter."});
        EXPECT_EQ(text.find("code{"), std::string::npos) << "style sheet read out";
        EXPECT_EQ(read.richText, c.rich);
        if (c.notesInline) {
            expectInOrder(text, {"word here.[1]\n[1] A footnote text.\n", "\u2022 apple\n", "\u2022 pear\n",
                                 "Name\tValue\n", "a\t1\n"});
            const RtfRun* bold = runWith(read.rich, "lazy");
            ASSERT_NE(bold, nullptr);
            EXPECT_TRUE(bold->format.bold);
            EXPECT_FALSE(bold->format.italic);
            const RtfRun* italic = runWith(read.rich, "italic");
            ASSERT_NE(italic, nullptr);
            EXPECT_TRUE(italic->format.italic);
            const RtfRun* heading = runWith(read.rich, "Second Chapter");
            ASSERT_NE(heading, nullptr);
            EXPECT_TRUE(heading->format.bold);
            EXPECT_GT(heading->format.halfPoints, RtfTextFormat{}.halfPoints);
            const RtfRun* body = runWith(read.rich, "quick brown");
            ASSERT_NE(body, nullptr);
            EXPECT_FALSE(body->format.bold);
        } else {
            EXPECT_NE(text.find("A footnote text."), std::string::npos);
        }
        // The same bytes read from memory (the fuzz targets' way) give the same text.
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        DocumentText fromMemory;
        ASSERT_TRUE(
            readZipDocument(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                            c.format, {}, &fromMemory, &error))
            << error;
        EXPECT_EQ(fromMemory.rich.runs, read.rich.runs);
    }
}

struct BrokenCase
{
    const char* name;
    const ProducedCase* source;
    QStringList removed;
    std::vector<std::pair<std::string, std::string>> added;
    std::size_t truncateTo = 0; // bytes kept, 0: whole
    ZipLimits limits;
    const char* expected;
};

TEST_F(OfficeDocuments, BrokenFilesAreRefusedWithTheReason)
{
    const ProducedCase& docx = kProducedCases[0];
    const ProducedCase& odt = kProducedCases[1];
    const ProducedCase& epub = kProducedCases[2];
    const std::string bomb(std::size_t{8} << 20, ' ');
    const std::vector<BrokenCase> cases = {
        {"truncated docx", &docx, {}, {}, 4000, {}, "truncated"},
        {"truncated epub", &epub, {}, {}, 3000, {}, "truncated"},
        {"docx inflating past the limit",
         &docx,
         {},
         {{"word/document.xml", "<w:document>" + bomb}},
         0,
         {std::size_t{1} << 20, std::size_t{1} << 30},
         "word/document.xml inflates to more than 1 MiB"},
        {"odt past the archive's limit",
         &odt,
         {},
         {{"styles.xml", bomb}},
         0,
         {std::size_t{16} << 20, std::size_t{2} << 20},
         "the archive inflates to more than 2 MiB"},
        {"spine file missing",
         &epub,
         {QStringLiteral("EPUB/text/ch002.xhtml")},
         {},
         0,
         {},
         "spine names EPUB/text/ch002.xhtml, which is missing"},
        {"encrypted book",
         &epub,
         {},
         {{"META-INF/encryption.xml",
           R"(<encryption xmlns="urn:oasis:names:tc:opendocument:xmlns:container"
                xmlns:enc="http://www.w3.org/2001/04/xmlenc#"><enc:EncryptedData>
              <enc:EncryptionMethod Algorithm="http://www.w3.org/2001/04/xmlenc#aes128-cbc"/>
              <enc:CipherData><enc:CipherReference URI="EPUB/text/ch001.xhtml"/></enc:CipherData>
              </enc:EncryptedData></encryption>)"}},
         0,
         {},
         "protected by DRM"},
        {"no container", &epub, {QStringLiteral("META-INF/container.xml")}, {}, 0, {}, "not an EPUB book"},
        {"broken document XML",
         &docx,
         {},
         {{"word/document.xml", "<w:document><w:body><w:p></w:body>"}},
         0,
         {},
         "word/document.xml is not well-formed XML"},
        {"odt without content", &odt, {QStringLiteral("content.xml")}, {}, 0, {}, "not an OpenDocument text"},
    };
    for (const BrokenCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = produce(*c.source);
        ASSERT_TRUE(test::rewriteZip(path, c.removed, c.added).isEmpty());
        if (c.truncateTo > 0) {
            ASSERT_TRUE(QFile::resize(path, static_cast<qint64>(c.truncateTo)));
        }
        DocumentReadOptions options;
        options.zipLimits = c.limits;
        DocumentText read;
        std::string error;
        EXPECT_FALSE(readDocument(path.toStdString(), c.source->format, options, &read, &error));
        EXPECT_NE(error.find(c.expected), std::string::npos) << error;
    }
}

TEST_F(OfficeDocuments, FontObfuscationIsNoDrm)
{
    const QString path = produce(kProducedCases[2]);
    ASSERT_TRUE(
        test::rewriteZip(path, {},
                         {{"META-INF/encryption.xml",
                           R"(<encryption xmlns:enc="http://www.w3.org/2001/04/xmlenc#"><enc:EncryptedData>
                                   <enc:EncryptionMethod Algorithm="http://www.idpf.org/2008/embedding"/>
                                   </enc:EncryptedData></encryption>)"}})
            .isEmpty());
    std::string error;
    EXPECT_TRUE(readDocumentSpeechText(path.toStdString(), DocumentFormat::Epub, {}, &error)) << error;
}

} // namespace
} // namespace narrix
