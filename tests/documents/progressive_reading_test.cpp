// Long PDFs and EPUBs read in pieces on a worker thread: the pieces, in order, are the whole text
// (running headers gone, hyphenated words whole across batches), a new start drops the old reading,
// finishing at once delivers the rest before it returns, and a document that breaks off ends with its
// reason.
#include "documents/document_reader.h"
#include "documents/pdf_reader.h"
#include "documents/produced_documents.h"
#include "documents/progressive_document_reader.h"

#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace narrix {
namespace {

constexpr int kParagraphs = 400; // about 25 pages: more than the running lines' sample, two batches

// A groff -ms book with a running header on every page and long words hyphenated at line ends.
QByteArray longGroffBook()
{
    QByteArray source = ".ds LH Running Header Text\n.ds CH\n.ds CF Page %\n.nr HY 1\n";
    for (int paragraph = 1; paragraph <= kParagraphs; ++paragraph)
        source += ".PP\nParagraph " + QByteArray::number(paragraph) +
                  " begins. Internationalization and telecommunications need characterization; "
                  "responsibilities of standardization overwhelm incomprehensibility.\n";
    return source;
}

QByteArray manyChapters(int count)
{
    QByteArray markdown = "---\ntitle: Long Book\n---\n";
    for (int chapter = 1; chapter <= count; ++chapter)
        markdown += "\n# Chapter " + QByteArray::number(chapter) + "\n\nThe text of chapter " +
                    QByteArray::number(chapter) + " goes on.\n";
    return markdown;
}

struct Reading
{
    std::vector<QString> pieces;
    QString error;
    bool finished = false;

    QString whole() const
    {
        QString text;
        for (const QString& piece : pieces)
            text += piece;
        return text;
    }
};

// Collects what `reader` sends until it finishes.
void collect(ProgressiveDocumentReader& reader, Reading* reading)
{
    QObject::connect(&reader, &ProgressiveDocumentReader::pieceRead, &reader,
                     [reading](const QString& piece) { reading->pieces.push_back(piece); });
    QObject::connect(&reader, &ProgressiveDocumentReader::finished, &reader, [reading](const QString& error) {
        reading->error = error;
        reading->finished = true;
    });
}

void waitUntilFinished(const Reading& reading)
{
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (reading.finished)
            loop.quit();
    });
    poll.start(5);
    QTimer::singleShot(120'000, &loop, &QEventLoop::quit); // a hung worker fails the test, not the suite
    loop.exec();
}

std::unique_ptr<DocumentPieces> open(const QString& path, std::string* error)
{
    const std::string name = path.toStdString();
    return openDocumentPieces(name, *documentFormatOf(name), {}, error);
}

Reading readProgressively(const QString& path)
{
    std::string error;
    std::unique_ptr<DocumentPieces> pieces = open(path, &error);
    EXPECT_TRUE(pieces) << error;
    Reading reading;
    if (!pieces)
        return reading;
    ProgressiveDocumentReader reader;
    collect(reader, &reading);
    reader.start(std::move(pieces));
    waitUntilFinished(reading);
    EXPECT_TRUE(reading.finished);
    EXPECT_FALSE(reader.running());
    return reading;
}

class ProgressiveReading : public ::testing::Test
{
protected:
    QString groffBook()
    {
        const QString path = folder_.filePath(QStringLiteral("long.pdf"));
        const QString problem = test::groffPdf(longGroffBook(), path);
        EXPECT_TRUE(problem.isEmpty()) << problem.toStdString();
        return path;
    }
    QString epub(int chapters)
    {
        const QString path = folder_.filePath(QStringLiteral("long%1.epub").arg(chapters));
        const QString problem = test::pandoc(manyChapters(chapters), QStringLiteral("epub3"), path);
        EXPECT_TRUE(problem.isEmpty()) << problem.toStdString();
        return path;
    }

    QTemporaryDir folder_;
};

TEST_F(ProgressiveReading, LongDocumentsArriveInPiecesThatJoinToTheWholeText)
{
    struct Case
    {
        const char* name;
        QString path;
        QString first;     // in the first piece
        QString partLabel; // each numbered part of the text begins so, in order
        int parts;
    };
    const Case cases[] = {
        {"groff book", groffBook(), QStringLiteral("Paragraph 1 begins."),
         QStringLiteral("Paragraph %1 begins."), kParagraphs},
        {"pandoc book", epub(60), QStringLiteral("Long Book"),
         QStringLiteral("The text of chapter %1 goes on."), 60},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Reading reading = readProgressively(c.path);
        EXPECT_TRUE(reading.error.isEmpty()) << reading.error.toStdString();
        ASSERT_GE(reading.pieces.size(), 2u);
        EXPECT_TRUE(reading.pieces.front().contains(c.first));
        const QString whole = reading.whole();
        EXPECT_LT(reading.pieces.front().size(), whole.size() / 2);

        std::string error;
        const std::optional<std::string> direct =
            readDocumentSpeechText(c.path.toStdString(), *documentFormatOf(c.path.toStdString()), {}, &error);
        ASSERT_TRUE(direct) << error;
        EXPECT_EQ(whole.toStdString(), *direct);

        qsizetype from = 0;
        for (int part = 1; part <= c.parts; ++part) {
            const qsizetype at = whole.indexOf(c.partLabel.arg(part), from);
            ASSERT_GE(at, 0) << "part " << part;
            from = at;
        }
        EXPECT_FALSE(whole.contains(QStringLiteral("Running Header Text")));
        EXPECT_FALSE(whole.contains(QStringLiteral("Page 7")));
        if (c.parts == kParagraphs) {
            // Hyphenated at line, page and batch ends alike, every word is whole again.
            EXPECT_EQ(whole.count(QStringLiteral("Internationalization")), kParagraphs);
            EXPECT_EQ(whole.count(QStringLiteral("incomprehensibility")), kParagraphs);
        }
    }
}

TEST_F(ProgressiveReading, ANewStartDropsWhatTheOldReadingHadLeftAndFinishNowSendsTheRest)
{
    const QString book = groffBook();
    const QString shortBook = epub(3);
    std::string error;
    Reading reading;
    ProgressiveDocumentReader reader;
    collect(reader, &reading);
    reader.start(open(book, &error));
    QEventLoop loop;
    QObject::connect(&reader, &ProgressiveDocumentReader::pieceRead, &loop, &QEventLoop::quit);
    loop.exec();
    ASSERT_FALSE(reading.pieces.empty());
    // The worker may or may not have finished the first book by now: the new start must drop
    // whatever it had left either way.

    reading = Reading{};
    reader.start(open(shortBook, &error));
    // A caller that needs the whole text at once gets every piece before finishNow returns.
    reader.finishNow();
    EXPECT_TRUE(reading.finished);
    EXPECT_FALSE(reader.running());
    const std::optional<std::string> direct =
        readDocumentSpeechText(shortBook.toStdString(), DocumentFormat::Epub, {}, &error);
    ASSERT_TRUE(direct) << error;
    EXPECT_EQ(reading.whole().toStdString(), *direct);
    EXPECT_FALSE(reading.whole().contains(QStringLiteral("Paragraph")));
}

TEST_F(ProgressiveReading, ABrokenDocumentEndsWithItsReason)
{
    const QString broken = epub(6);
    ASSERT_TRUE(test::rewriteZip(broken, {QStringLiteral("EPUB/text/ch004.xhtml")}, {}).isEmpty());
    const QString scan = folder_.filePath(QStringLiteral("scan.pdf"));
    {
        const QString source = folder_.filePath(QStringLiteral("box.ps"));
        QFile file(source);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("%!PS\nnewpath 72 600 moveto 300 0 rlineto 0 100 rlineto -300 0 rlineto closepath fill\n"
                   "showpage\n");
        file.close();
        ASSERT_TRUE(test::ghostscriptPdf(source, scan).isEmpty());
    }
    struct Case
    {
        const char* name;
        QString path;
        std::size_t piecesBefore; // sent before the failure
        const char* expected;
    };
    const Case cases[] = {
        {"spine file missing", broken, 4 /* the title page, chapters 1 to 3 */,
         "spine names EPUB/text/ch004.xhtml, which is missing"},
        {"scan without text", scan, 0, kPdfWithoutText},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Reading reading = readProgressively(c.path);
        EXPECT_EQ(reading.pieces.size(), c.piecesBefore);
        EXPECT_TRUE(reading.error.contains(QString::fromUtf8(c.expected))) << reading.error.toStdString();
    }

    std::string error;
    EXPECT_FALSE(openDocumentPieces("/nonexistent/book.pdf", DocumentFormat::Pdf, {}, &error));
    EXPECT_EQ(error, "No such file or directory");
    EXPECT_FALSE(readsInPieces(DocumentFormat::Docx));
}

} // namespace
} // namespace narrix
