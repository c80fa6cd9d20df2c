// PDFs that groff and ghostscript make from text the test writes, and one Debian ships, read through
// poppler: reading order, running headers and page numbers left out, hyphenation joined, passwords,
// scans and files that are no PDF.
#include "documents/document_reader.h"
#include "documents/pdf_reader.h"
#include "documents/produced_documents.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace narrix {
namespace {

// A long -ms document with a running header and a page number in the footer, full of long words
// groff hyphenates at line ends.
QByteArray groffBook()
{
    QByteArray source = ".ds LH Running Header Text\n.ds CH\n.ds CF Page %\n.nr HY 1\n";
    const QByteArray openings[] = {"Rain fell",  "Wind rose",  "Snow came", "Sun shone",
                                   "Fog lifted", "Night fell", "Birds sang"};
    for (int paragraph = 1; paragraph <= 60; ++paragraph) {
        source += ".PP\nParagraph " + QByteArray::number(paragraph) + " begins. " + openings[paragraph % 7] +
                  " " + QByteArray(paragraph % 5 + 1, 'x') +
                  ". Internationalization and telecommunications need characterization; "
                  "responsibilities of standardization overwhelm incomprehensibility. "
                  "Internationalization again closes it.\n";
    }
    return source;
}

// One page of PostScript with two lines of text, or with only a drawn box (a scan has no text).
QByteArray postScriptPage(bool withText)
{
    QByteArray page = "%!PS\n/Helvetica findfont 14 scalefont setfont\n";
    if (withText)
        page += "72 700 moveto (Secret first line.) show\n72 680 moveto (And the second one.) show\n";
    else
        page += "newpath 72 600 moveto 300 0 rlineto 0 100 rlineto -300 0 rlineto closepath fill\n";
    return page + "showpage\n";
}

class PdfDocuments : public ::testing::Test
{
protected:
    QString write(const QString& name, const QByteArray& bytes)
    {
        const QString path = folder_.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    static std::string read(const QString& path, const PasswordAsker& ask, std::string* error)
    {
        std::string text;
        error->clear();
        if (!readPdf(path, ask, &text, error))
            return {};
        return text;
    }

    QTemporaryDir folder_;
};

TEST_F(PdfDocuments, GroffBookReadsWithoutRunningLinesAndWithWordsWhole)
{
    const QString path = folder_.filePath(QStringLiteral("book.pdf"));
    const QString problem = test::groffPdf(groffBook(), path);
    ASSERT_TRUE(problem.isEmpty()) << problem.toStdString();
    std::string error;
    const std::string text = read(path, {}, &error);
    ASSERT_FALSE(text.empty()) << error;
    // Paragraphs in order, across pages.
    std::size_t from = 0;
    for (int paragraph = 1; paragraph <= 60; ++paragraph) {
        const std::string start = "Paragraph " + std::to_string(paragraph) + " begins.";
        const std::size_t at = text.find(start, from);
        ASSERT_NE(at, std::string::npos) << start;
        from = at;
    }
    EXPECT_EQ(text.find("Running Header Text"), std::string::npos);
    EXPECT_FALSE(QString::fromStdString(text).contains(QRegularExpression(QStringLiteral("Page \\d+"))));
    // groff broke some of these words at line ends; all come back whole.
    for (const char* word : {"Internationalization", "telecommunications", "characterization",
                             "responsibilities", "standardization", "incomprehensibility"}) {
        SCOPED_TRACE(word);
        EXPECT_EQ(QString::fromStdString(text).count(QString::fromLatin1(word)), word[0] == 'I' ? 120 : 60);
    }
}

TEST_F(PdfDocuments, EncryptedPdfAsksForItsPassword)
{
    const QString source = write(QStringLiteral("page.ps"), postScriptPage(true));
    const QString path = folder_.filePath(QStringLiteral("locked.pdf"));
    const QString problem = test::ghostscriptPdf(
        source, path,
        {QStringLiteral("-sOwnerPassword=owner"), QStringLiteral("-sUserPassword=secret"),
         QStringLiteral("-dEncryptionR=3"), QStringLiteral("-dKeyLength=128")});
    ASSERT_TRUE(problem.isEmpty()) << problem.toStdString();

    struct Case
    {
        const char* name;
        std::vector<std::optional<std::string>> answers;
        bool hasAsker;
        const char* expectedError; // nullptr: reads
        int expectedQuestions;
    };
    const Case cases[] = {
        {"right at once", {"secret"}, true, nullptr, 1},
        {"wrong, then right", {"guess", "secret"}, true, nullptr, 2},
        {"cancelled", {std::nullopt}, true, "no password was given", 1},
        {"wrong three times", {"a", "b", "c", "secret"}, true, "the password is wrong", 3},
        {"nobody to ask", {}, false, "needs a password", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<bool> retries;
        PasswordAsker ask;
        if (c.hasAsker) {
            ask = [&](bool wrongBefore) -> std::optional<std::string> {
                retries.push_back(wrongBefore);
                return c.answers.at(retries.size() - 1);
            };
        }
        std::string error;
        const std::string text = read(path, ask, &error);
        EXPECT_EQ(static_cast<int>(retries.size()), c.expectedQuestions);
        if (!retries.empty()) {
            EXPECT_FALSE(retries.front());
        }
        if (retries.size() > 1) {
            EXPECT_TRUE(retries[1]);
        }
        if (c.expectedError == nullptr) {
            EXPECT_EQ(text, "Secret first line.\nAnd the second one.") << error;
        } else {
            EXPECT_NE(error.find(c.expectedError), std::string::npos) << error;
        }
    }
}

TEST_F(PdfDocuments, FilesWithoutTextOrNotPdfAreRefusedClearly)
{
    const QString scan = folder_.filePath(QStringLiteral("scan.pdf"));
    ASSERT_TRUE(test::ghostscriptPdf(write(QStringLiteral("box.ps"), postScriptPage(false)), scan).isEmpty());
    const QString truncated = folder_.filePath(QStringLiteral("cut.pdf"));
    ASSERT_TRUE(
        test::ghostscriptPdf(write(QStringLiteral("text.ps"), postScriptPage(true)), truncated).isEmpty());
    ASSERT_TRUE(QFile::resize(truncated, 40));
    const struct
    {
        QString path;
        const char* expected;
    } cases[] = {
        {scan, kPdfWithoutText},
        {write(QStringLiteral("fake.pdf"), "This is plain text, not a PDF.\n"), "poppler cannot parse it"},
        {truncated, "poppler cannot parse it"},
        {folder_.filePath(QStringLiteral("missing.pdf")), "No such file"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        std::string error;
        EXPECT_TRUE(read(c.path, {}, &error).empty());
        EXPECT_NE(error.find(c.expected), std::string::npos) << error;
    }
}

TEST_F(PdfDocuments, ShippedManualLosesItsPageNumbers)
{
    const QString manual = QStringLiteral("/usr/share/doc/libtasn1-doc/libtasn1.pdf");
    ASSERT_TRUE(QFile::exists(manual)) << "libtasn1-doc is in scripts/packages.txt";
    std::string error;
    const std::optional<std::string> text =
        readDocumentSpeechText(manual.toStdString(), DocumentFormat::Pdf, {}, &error);
    ASSERT_TRUE(text) << error;
    EXPECT_NE(text->find("The parser is case sensitive."), std::string::npos);
    EXPECT_NE(text->find("ASN.1 definitions must follow the syntax below:"), std::string::npos);
    const QStringList lines = QString::fromStdString(*text).split(QLatin1Char('\n'));
    const auto pageNumbers = std::count_if(lines.begin(), lines.end(), [](const QString& line) {
        return QRegularExpression(QStringLiteral("^\\d+$")).match(line.trimmed()).hasMatch();
    });
    EXPECT_LT(pageNumbers, 3) << "of 36 pages";
}

} // namespace
} // namespace narrix
