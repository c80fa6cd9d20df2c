#include "base/rtf_reader.h"
#include "editor/document_editor.h"
#include "editor/document_file_types.h"
#include "fakes/fake_document_view.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <optional>
#include <sys/stat.h>

#include <gtest/gtest.h>

namespace narrix {
namespace {

using testing::FakeDocumentDialogs;
using testing::FakeDocumentView;

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class DocumentEditorTest : public ::testing::Test
{
protected:
    QString file(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }

    QTemporaryDir dir;
    DocumentFont font{1, QStringLiteral("Serif"), 11};
    FakeDocumentView view;
    FakeDocumentDialogs dialogs;
    DocumentEditor editor{view, dialogs, font};
};

TEST_F(DocumentEditorTest, HtmlOpensAsConvertedPlainTextAndSaveTurnsIntoSaveAs)
{
    writeAll(file("page.HTML"),
             "<html><body><p>Hello <b>there</b></p>\n<p>Second &amp; last</p></body></html>");
    view.richMode = true;
    dialogs.fileNames = {file("page.HTML")};
    EXPECT_TRUE(editor.open());
    EXPECT_TRUE(editor.state().opened);
    EXPECT_EQ(view.title, QStringLiteral("page.HTML"));
    EXPECT_FALSE(view.richMode);
    EXPECT_FALSE(view.modified);
    EXPECT_EQ(view.text, QStringLiteral("Hello there\n Second & last"));
    EXPECT_EQ(editor.state().path, file("page.HTML"));
    EXPECT_EQ(dialogs.filters.front(), kOpenDocumentFilter);

    view.type(QStringLiteral("x"));
    editor.save(); // cancelled Save As
    EXPECT_EQ(dialogs.asked.back(), QStringLiteral("save as"));
    EXPECT_EQ(dialogs.filters.back(), kSaveDocumentFilter);
    EXPECT_FALSE(editor.state().saved);
    EXPECT_TRUE(view.modified);
    EXPECT_EQ(readAll(file("page.HTML")).left(6), "<html>");
}

TEST_F(DocumentEditorTest, TheNameAloneDecidesTheFormat)
{
    view.type(QStringLiteral("caf\u00e9 notes"));
    struct Case
    {
        const char* typed;
        const char* stored;
        bool rich;
    };
    for (const Case& c : {Case{"notes", "notes.txt", false}, Case{"notes.rtf", "notes.rtf", true},
                          Case{"other.", "other.txt", false}, Case{"Report.RTF", "Report.RTF", true}}) {
        SCOPED_TRACE(c.typed);
        view.modified = true;
        dialogs.fileNames = {file(c.typed)};
        editor.saveAs();
        EXPECT_TRUE(editor.state().saved);
        EXPECT_FALSE(view.modified);
        EXPECT_EQ(editor.state().path, file(c.stored));
        EXPECT_EQ(view.title, QString::fromUtf8(c.stored));
        EXPECT_EQ(view.richMode, c.rich);
        const QByteArray bytes = readAll(file(c.stored));
        if (c.rich) {
            std::string text;
            ASSERT_TRUE(RtfToPlainText(bytes.toStdString(), &text));
            EXPECT_EQ(text, "caf\xC3\xA9 notes");
        } else {
            EXPECT_EQ(bytes, QByteArray("caf\xC3\xA9 notes"));
        }
    }
    // "notes" again: notes.txt exists now, so replacing it is asked; No keeps it.
    writeAll(file("notes.txt"), "kept");
    view.modified = true;
    dialogs.fileNames = {file("notes")};
    editor.saveAs();
    EXPECT_EQ(dialogs.asked.back(), QStringLiteral("replace ") + file("notes.txt"));
    EXPECT_FALSE(editor.state().saved);
    EXPECT_EQ(readAll(file("notes.txt")), "kept");
}

TEST_F(DocumentEditorTest, SaveChangesPromptAnswers)
{
    struct Case
    {
        const char* name;
        std::deque<SaveChangesAnswer> answers;
        std::deque<QString> fileNames;
        bool goesAhead;
        bool written;
    };
    const QString target = file("answer.txt");
    const Case cases[] = {
        {"cancel", {SaveChangesAnswer::Cancel}, {}, false, false},
        {"yes, then Save As cancelled", {SaveChangesAnswer::Yes}, {}, false, false},
        {"yes, saved", {SaveChangesAnswer::Yes}, {target}, true, true},
        {"no", {SaveChangesAnswer::No}, {}, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(target);
        FakeDocumentView v;
        FakeDocumentDialogs d;
        DocumentEditor e(v, d, font);
        v.type(QStringLiteral("unsaved"));
        d.saveChangesAnswers = c.answers;
        d.fileNames = c.fileNames;
        EXPECT_EQ(e.ConfirmSaveChanges(), c.goesAhead);
        EXPECT_EQ(d.asked.front(), QStringLiteral("Save changes to Untitled?"));
        EXPECT_EQ(QFile::exists(target), c.written);
    }
    // Nothing changed: no prompt at all.
    EXPECT_TRUE(editor.ConfirmSaveChanges());
    EXPECT_TRUE(dialogs.asked.isEmpty());
}

TEST_F(DocumentEditorTest, NewAndOpenAskFirstAndCancelEndsThem)
{
    writeAll(file("a.txt"), "from disk");
    view.type(QStringLiteral("typed"));
    dialogs.fileNames = {file("a.txt")};
    EXPECT_FALSE(editor.open()); // the prompt is cancelled
    editor.newDocument();        // cancelled as well
    EXPECT_EQ(view.text, QStringLiteral("typed"));
    EXPECT_EQ(dialogs.asked, QStringList({QStringLiteral("Save changes to Untitled?"),
                                          QStringLiteral("Save changes to Untitled?")}));

    dialogs.saveChangesAnswers = {SaveChangesAnswer::No, SaveChangesAnswer::No};
    EXPECT_TRUE(editor.open());
    EXPECT_EQ(view.text, QStringLiteral("from disk"));
    EXPECT_EQ(view.title, QStringLiteral("a.txt"));
    view.type(QStringLiteral("more "));
    font.bold = true;
    editor.newDocument();
    EXPECT_TRUE(view.text.isEmpty());
    EXPECT_FALSE(view.modified);
    EXPECT_TRUE(view.typingFont.bold);
    EXPECT_EQ(view.title, QStringLiteral("Untitled"));
    EXPECT_TRUE(editor.state().path.isEmpty());

    dialogs.fileNames.clear();
    EXPECT_FALSE(editor.open()); // the open dialog is cancelled
    EXPECT_FALSE(editor.state().opened);
}

TEST_F(DocumentEditorTest, FilesAreReadInTheirEncodingAndRichTextKeepsItsFormats)
{
    writeAll(file("latin.txt"), "caf\xE9\r\nline two\rthree");
    ASSERT_TRUE(editor.openPath(file("latin.txt")));
    EXPECT_EQ(view.text, QStringLiteral("caf\u00e9\nline two\nthree"));
    EXPECT_FALSE(view.richMode);

    writeAll(file("styled.rtf"), "{\\rtf1{\\fonttbl{\\f0 Arial;}}\\f0 plain {\\b bold}\\par}");
    ASSERT_TRUE(editor.openPath(file("styled.rtf")));
    EXPECT_TRUE(view.richMode);
    ASSERT_EQ(view.rich.runs.size(), 3u); // "plain ", "bold", "\n"
    EXPECT_TRUE(view.rich.runs[1].format.bold);
    EXPECT_EQ(view.text, QStringLiteral("plain bold\n"));
}

TEST_F(DocumentEditorTest, FailedOpenAndSaveAreReportedAndLoseNothing)
{
    writeAll(file("good.txt"), "good");
    ASSERT_TRUE(editor.openPath(file("good.txt")));
    view.type(QStringLiteral("edited "));

    // Missing and malformed files: a box naming the file and the reason; the document stays.
    writeAll(file("broken.rtf"), "{\\rtf1 never closed");
    for (const char* name : {"missing.txt", "broken.rtf"}) {
        SCOPED_TRACE(name);
        dialogs.errors.clear();
        EXPECT_FALSE(editor.openPath(file(name)));
        ASSERT_EQ(dialogs.errors.size(), 1);
        EXPECT_TRUE(dialogs.errors[0].contains(file(name)));
        EXPECT_EQ(view.title, QStringLiteral("good.txt"));
        EXPECT_EQ(editor.state().path, file("good.txt"));
        EXPECT_EQ(view.text, QStringLiteral("edited good"));
    }
    EXPECT_TRUE(dialogs.errors[0].contains(QStringLiteral("the file ends before 1 group(s) are closed")));

    // A save that cannot write: the mark stays set and the file on disk is as it was.
    {
        const QString locked = dir.filePath(QStringLiteral("locked"));
        QDir().mkdir(locked);
        writeAll(locked + QStringLiteral("/doc.txt"), "on disk");
        ASSERT_TRUE(editor.openPath(locked + QStringLiteral("/doc.txt")));
        view.type(QStringLiteral("new "));
        // Save As into a folder that does not exist.
        dialogs.errors.clear();
        dialogs.fileNames = {dir.filePath(QStringLiteral("no-such-folder/doc.txt"))};
        editor.saveAs();
        EXPECT_FALSE(editor.state().saved);
        EXPECT_TRUE(view.modified);
        ASSERT_EQ(dialogs.errors.size(), 1);
        EXPECT_TRUE(dialogs.errors[0].startsWith(QStringLiteral("Cannot save \"")));
        EXPECT_EQ(editor.state().path, locked + QStringLiteral("/doc.txt"));
        EXPECT_EQ(readAll(locked + QStringLiteral("/doc.txt")), "on disk");
    }
}

TEST_F(DocumentEditorTest, FileDialogsStartInTheDocumentsFolderElseTheHomeFolder)
{
    QDir().mkdir(dir.filePath(QStringLiteral("texts")));
    writeAll(file("texts/a.txt"), "text");
    dialogs.fileNames = {file("texts/a.txt")};
    EXPECT_TRUE(editor.open()); // an untitled document: the home folder
    editor.saveAs();            // cancelled; the document's folder now
    dialogs.saveChangesAnswers = {SaveChangesAnswer::No};
    editor.newDocument();
    editor.saveAs();
    EXPECT_EQ(dialogs.folders,
              QStringList({QDir::homePath(), dir.filePath(QStringLiteral("texts")), QDir::homePath()}));
}

// Documents are the user's own files: a new one is created as the umask says, a replaced one keeps
// its permissions. Only files that hold passwords (the list file, the settings) stay owner-only.
TEST_F(DocumentEditorTest, SavedDocumentsFollowTheUmaskOrKeepTheirPermissions)
{
    struct Case
    {
        const char* name;
        mode_t umask;
        std::optional<QFileDevice::Permissions> existing;
        QFileDevice::Permissions expected;
    };
    using P = QFileDevice;
    const QFileDevice::Permissions rw = P::ReadOwner | P::WriteOwner | P::ReadUser | P::WriteUser;
    const QFileDevice::Permissions groupRead = P::ReadGroup;
    const QFileDevice::Permissions othersRead = P::ReadOther;
    for (const Case& c : {Case{"new-022.txt", 022, std::nullopt, rw | groupRead | othersRead},
                          Case{"new-077.rtf", 077, std::nullopt, rw},
                          Case{"new-002.txt", 002, std::nullopt, rw | groupRead | P::WriteGroup | othersRead},
                          Case{"kept-0640.txt", 022, rw | groupRead, rw | groupRead}}) {
        SCOPED_TRACE(c.name);
        if (c.existing) {
            writeAll(file(c.name), "old");
            ASSERT_TRUE(QFile::setPermissions(file(c.name), *c.existing));
        }
        const mode_t before = ::umask(c.umask);
        view.type(QStringLiteral("words "));
        dialogs.fileNames = {file(c.name)};
        dialogs.replaceAnswers = {true};
        editor.saveAs();
        ::umask(before);
        EXPECT_TRUE(editor.state().saved);
        EXPECT_EQ(QFile::permissions(file(c.name)), c.expected);
    }
}

TEST_F(DocumentEditorTest, TextFontChangesEveryCharacterAndKeepsTheSelection)
{
    view.type(QStringLiteral("one two three"));
    view.select(4, 3);
    DocumentFont chosen = font;
    chosen.name = QStringLiteral("Mono");
    chosen.size = 14;
    dialogs.font = chosen;
    editor.chooseTextFont();
    EXPECT_EQ(font, chosen); // the settings' document font
    EXPECT_EQ(view.start, 4);
    EXPECT_EQ(view.length, 3);
    for (const DocumentFont& f : view.fonts)
        EXPECT_EQ(f, chosen);
    // Cancelled: nothing changes.
    dialogs.font.reset();
    editor.chooseTextFont();
    EXPECT_EQ(font, chosen);
}

TEST_F(DocumentEditorTest, FindSelectsTheMatchOrBeeps)
{
    view.type(QStringLiteral("the cat saw a concatenate cat"));
    // Down from the start of the text.
    view.select(0, 0);
    EXPECT_TRUE(editor.findNext(QStringLiteral("CAT"), {false, true}, true));
    EXPECT_EQ(view.start, 4);
    EXPECT_EQ(view.length, 3);
    EXPECT_TRUE(editor.findNext(QStringLiteral("cat"), {false, true}, true));
    EXPECT_EQ(view.start, 26);
    // Up from there skips "concatenate" with whole word on.
    EXPECT_TRUE(editor.findNext(QStringLiteral("cat"), {false, true}, false));
    EXPECT_EQ(view.start, 4);
    // Up from the very start beeps and keeps the selection.
    view.select(0, 0);
    EXPECT_FALSE(editor.findNext(QStringLiteral("cat"), {}, false));
    EXPECT_EQ(view.beeps, 1);
    EXPECT_EQ(view.start, 0);
}

} // namespace
} // namespace narrix
