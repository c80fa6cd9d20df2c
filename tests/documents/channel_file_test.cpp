// Local channel files by extension: documents through their readers, everything else as before.
#include "documents/document_reader.h"
#include "documents/produced_documents.h"
#include "fakes/recording_channel_host.h"
#include "net/http_client.h"
#include "net/pop3_client.h"
#include "schedule/channel_file.h"
#include "schedule/channel_retriever.h"
#include "schedule/mail_reader.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace narrix {
namespace {

TEST(ChannelFile, DocumentsAreReadByExtension)
{
    QTemporaryDir folder;
    const QString docx = folder.filePath(QStringLiteral("news.DOCX"));
    ASSERT_TRUE(test::pandoc(test::kSampleMarkdown, QStringLiteral("docx"), docx).isEmpty());
    const QString notes = folder.filePath(QStringLiteral("notes.txt"));
    {
        QFile file(notes);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("Plain notes.\n");
    }
    // A zip named .txt is plain text; a text named .odt is no document.
    const QString disguised = folder.filePath(QStringLiteral("fake.odt"));
    ASSERT_TRUE(QFile::copy(notes, disguised));
    const struct
    {
        QString path;
        const char* text;  // nullptr: refused
        const char* error; // part of the reason
    } cases[] = {
        {docx, "The quick brown fox jumps over the lazy dog.", ""},
        {notes, "Plain notes.", ""},
        {disguised, nullptr, "fake.odt: not a complete zip archive"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        std::string error;
        const std::optional<std::string> text = readChannelFile(c.path.toStdString(), &error);
        if (c.text == nullptr) {
            EXPECT_FALSE(text);
            EXPECT_NE(error.find(c.error), std::string::npos) << error;
        } else {
            ASSERT_TRUE(text) << error;
            EXPECT_NE(text->find(c.text), std::string::npos) << *text;
        }
    }
}

// Records a document spoken while it is read: its first piece, the pieces after it, the end.
class PiecesHost : public testing::RecordingChannelHost
{
public:
    std::string title;
    std::vector<std::string> pieces;
    int ends = 0;

    void beginScheduledPieces(const std::string& t, const std::string& first) override
    {
        title = t;
        pieces = {first};
    }
    void continueScheduled(const std::string&, const std::string& piece) override { pieces.push_back(piece); }
    void endScheduled() override { ++ends; }
};

// A long EPUB as a local-file channel (as `narrix FILE` speaks it) is spoken from its first chapter on,
// the rest following as it is read; a chapter that is missing ends it with what came before.
TEST(ChannelFile, ALongBookIsSpokenFromItsFirstChapterOn)
{
    QTemporaryDir folder;
    QByteArray markdown = "---\ntitle: Long Book\n---\n";
    for (int chapter = 1; chapter <= 40; ++chapter)
        markdown += "\n# Chapter " + QByteArray::number(chapter) + "\n\nThe text of chapter " +
                    QByteArray::number(chapter) + " goes on.\n";
    const QString book = folder.filePath(QStringLiteral("book.epub"));
    ASSERT_TRUE(test::pandoc(markdown, QStringLiteral("epub3"), book).isEmpty());
    const QString broken = folder.filePath(QStringLiteral("broken.epub"));
    ASSERT_TRUE(QFile::copy(book, broken));
    ASSERT_TRUE(test::rewriteZip(broken, {QStringLiteral("EPUB/text/ch004.xhtml")}, {}).isEmpty());
    std::string error;
    const std::optional<std::string> whole =
        readDocumentSpeechText(book.toStdString(), DocumentFormat::Epub, {}, &error);
    ASSERT_TRUE(whole) << error;
    const struct
    {
        QString path;
        std::size_t piecesAtLeast;
        const char* last; // in the last piece spoken
        const char* absent;
    } cases[] = {
        {book, 40, "The text of chapter 40 goes on.", ""},
        {broken, 4, "The text of chapter 3 goes on.", "chapter 4 "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        TransferFlags transfers;
        PiecesHost host;
        net::HttpClient http;
        net::Pop3Client pop3;
        MailReader mail{host, transfers, pop3};
        ChannelRetriever retriever{host, transfers, http, mail};
        retriever.retrieve({"Book", c.path.toStdString(), {}});
        ASSERT_EQ(host.pieces.size(), 1u) << "the first chapter comes before the rest is read";
        EXPECT_EQ(host.title, "Book");
        const QDeadlineTimer deadline(60000);
        while (host.ends == 0 && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        EXPECT_EQ(host.ends, 1);
        EXPECT_GE(host.pieces.size(), c.piecesAtLeast);
        std::string joined;
        for (const std::string& piece : host.pieces)
            joined += piece;
        EXPECT_TRUE(whole->starts_with(joined));
        EXPECT_NE(host.pieces.back().find(c.last), std::string::npos) << host.pieces.back();
        if (*c.absent) {
            EXPECT_EQ(joined.find(c.absent), std::string::npos);
        } else {
            EXPECT_EQ(joined, *whole);
        }
        EXPECT_TRUE(host.spoken.empty()) << "nothing is spoken whole";
        EXPECT_TRUE(host.failures.isEmpty()) << "a channel file fails without a box";
    }
}

} // namespace
} // namespace narrix
