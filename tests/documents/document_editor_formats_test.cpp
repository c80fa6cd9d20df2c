// The editor opens PDF, EPUB, DOCX and ODT files made by real producers: office documents in the
// rich-text mode with their formatting, an encrypted PDF after asking for its password, and none of
// them is ever written back (Save becomes Save As).
#include "documents/produced_documents.h"
#include "editor/document_editor.h"
#include "fakes/fake_document_view.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace narrix {
namespace {

class PasswordDialogs : public testing::FakeDocumentDialogs
{
public:
    std::deque<std::optional<QString>> passwords; // cancelled when empty

    std::optional<QString> askDocumentPassword(const QString& fileName, bool wrongBefore) override
    {
        asked << (wrongBefore ? QStringLiteral("password again for ") : QStringLiteral("password for ")) +
                     fileName;
        if (passwords.empty())
            return std::nullopt;
        auto answer = passwords.front();
        passwords.pop_front();
        return answer;
    }
};

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(DocumentEditorFormats, EachFormatOpensAndIsNeverWrittenBack)
{
    QTemporaryDir folder;
    const QString postScript = folder.filePath(QStringLiteral("page.ps"));
    {
        QFile file(postScript);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(
            "%!PS\n/Helvetica findfont 14 scalefont setfont\n72 700 moveto (Locked words.) show\nshowpage\n");
    }
    const QString lockedPdf = folder.filePath(QStringLiteral("locked.PDF"));
    ASSERT_TRUE(
        test::ghostscriptPdf(postScript, lockedPdf,
                             {QStringLiteral("-sOwnerPassword=o"), QStringLiteral("-sUserPassword=pw"),
                              QStringLiteral("-dEncryptionR=3"), QStringLiteral("-dKeyLength=128")})
            .isEmpty());
    const struct
    {
        const char* name;
        const char* pandocFormat; // nullptr: the locked PDF
        bool rich;
        const char* text;
    } cases[] = {
        {"book.docx", "docx", true, "The quick brown fox jumps over the lazy dog."},
        {"book.odt", "odt", true, "The quick brown fox jumps over the lazy dog."},
        {"book.epub", "epub3", false, "The quick brown fox jumps over the lazy dog."},
        {"locked.PDF", nullptr, false, "Locked words."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = folder.filePath(QString::fromLatin1(c.name));
        if (c.pandocFormat) {
            ASSERT_TRUE(
                test::pandoc(test::kSampleMarkdown, QString::fromLatin1(c.pandocFormat), path).isEmpty());
        }
        const QByteArray original = contents(path);
        DocumentFont font{1, QStringLiteral("Serif"), 11};
        testing::FakeDocumentView view;
        PasswordDialogs dialogs;
        dialogs.passwords = {QStringLiteral("wrong"), QStringLiteral("pw")};
        DocumentEditor editor(view, dialogs, font);
        ASSERT_TRUE(editor.openPath(path)) << dialogs.errors.join(QLatin1Char('\n')).toStdString();
        editor.finishLoading(); // a PDF's or EPUB's later pages arrive from a worker thread
        EXPECT_FALSE(view.growing);
        EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join(QLatin1Char(10)).toStdString();
        EXPECT_EQ(view.title, QString::fromLatin1(c.name));
        EXPECT_EQ(view.richMode, c.rich);
        EXPECT_TRUE(view.text.contains(QString::fromLatin1(c.text))) << view.text.toStdString();
        EXPECT_FALSE(view.modified);
        if (c.rich) {
            const auto bold = std::find_if(view.rich.runs.begin(), view.rich.runs.end(),
                                           [](const RtfRun& run) { return run.text == "lazy"; });
            ASSERT_NE(bold, view.rich.runs.end());
            EXPECT_TRUE(bold->format.bold);
        }
        if (c.pandocFormat == nullptr) {
            EXPECT_EQ(dialogs.asked, (QStringList{QStringLiteral("password for locked.PDF"),
                                                  QStringLiteral("password again for locked.PDF")}));
        } else {
            EXPECT_TRUE(dialogs.asked.isEmpty());
        }
        view.type(QStringLiteral("edited "));
        dialogs.asked.clear();
        editor.save();
        EXPECT_EQ(dialogs.asked, QStringList{QStringLiteral("save as")});
        EXPECT_EQ(contents(path), original);
    }
}

TEST(DocumentEditorFormats, UnreadableDocumentLeavesTheEditorAsItWas)
{
    QTemporaryDir folder;
    const QString book = folder.filePath(QStringLiteral("cut.epub"));
    ASSERT_TRUE(test::pandoc(test::kSampleMarkdown, QStringLiteral("epub3"), book).isEmpty());
    ASSERT_TRUE(QFile::resize(book, 500));
    DocumentFont font{1, QStringLiteral("Serif"), 11};
    testing::FakeDocumentView view;
    view.text = QStringLiteral("kept");
    PasswordDialogs dialogs;
    DocumentEditor editor(view, dialogs, font);
    EXPECT_FALSE(editor.openPath(book));
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors.front().startsWith(QStringLiteral("Cannot open \"") + book));
    EXPECT_TRUE(dialogs.errors.front().contains(QLatin1String("truncated")));
    EXPECT_EQ(view.text, QStringLiteral("kept"));
    EXPECT_EQ(view.title, QStringLiteral("Untitled"));
}

// A book whose later chapter is missing opens with what comes before it; the reason is told once
// when the reading reaches it, and what was read stays, unmodified.
TEST(DocumentEditorFormats, ALaterChapterThatCannotBeReadIsToldOnceAndTheRestStays)
{
    QTemporaryDir folder;
    QByteArray markdown = "---\ntitle: Long Book\n---\n";
    for (int chapter = 1; chapter <= 6; ++chapter)
        markdown += "\n# Chapter " + QByteArray::number(chapter) + "\n\nThe text of chapter " +
                    QByteArray::number(chapter) + " goes on.\n";
    const QString book = folder.filePath(QStringLiteral("book.epub"));
    ASSERT_TRUE(test::pandoc(markdown, QStringLiteral("epub3"), book).isEmpty());
    ASSERT_TRUE(test::rewriteZip(book, {QStringLiteral("EPUB/text/ch004.xhtml")}, {}).isEmpty());
    DocumentFont font{1, QStringLiteral("Serif"), 11};
    testing::FakeDocumentView view;
    PasswordDialogs dialogs;
    DocumentEditor editor(view, dialogs, font);
    ASSERT_TRUE(editor.openPath(book));
    EXPECT_TRUE(dialogs.errors.isEmpty());
    editor.finishLoading();
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors.front().startsWith(QStringLiteral("Cannot read all of \"") + book));
    EXPECT_TRUE(dialogs.errors.front().contains(QLatin1String("ch004.xhtml, which is missing")));
    EXPECT_TRUE(view.text.contains(QLatin1String("The text of chapter 3 goes on.")));
    EXPECT_FALSE(view.text.contains(QLatin1String("chapter 5")));
    EXPECT_FALSE(view.modified);
    EXPECT_FALSE(view.growing);
    EXPECT_EQ(view.title, QStringLiteral("book.epub"));
    editor.finishLoading(); // told once
    EXPECT_EQ(dialogs.errors.size(), 1);
}

} // namespace
} // namespace narrix
