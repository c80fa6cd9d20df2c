// The document editor in the main window: the close request's prompt, files through the File menu,
// the find dialog driven by keyboard, Text Font, and the follow-along highlight with its View switch.
#include "app/tf_main.h"
#include "base/rtf_reader.h"
#include "documents/document_reader.h"
#include "documents/produced_documents.h"
#include "editor/document_editor_controller.h"
#include "editor/document_editor_plugin.h"
#include "editor/editor_loading.h"
#include "editor/follow_along_highlight.h"
#include "editor/rich_text_conversion.h"

#include "speech/reading_control.h"
#include "speech/speech_text_cleanup.h"
#include "support/main_window_harness.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextEdit>
#include <QToolButton>

#include <functional>
#include <gtest/gtest.h>

namespace narrix {
namespace {

class DocumentEditorWindowTest : public ::testing::Test, protected testing::MainWindowHarness<>
{
protected:
    DocumentEditorPlugin plugin;
    std::unique_ptr<TfMain> window;
    QTemporaryDir dir;

    void SetUp() override
    {
        MainServices services;
        services.document = &plugin;
        services.plugins.push_back(&plugin);
        window = newWindow(services);
        window->FormCreate({});
        prompter.shown.clear();
    }
    void TearDown() override
    {
        window->editor()->document()->setModified(false);
        window.reset();
    }

    QTextEdit& editor() { return *window->editor(); }
    QString title() { return window->findChild<QLabel*>(QStringLiteral("lblDocument"))->text(); }
    void type(const QString& text)
    {
        editor().setFocus();
        QTest::keyClicks(&editor(), text);
    }
    QString file(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
};

TEST_F(DocumentEditorWindowTest, CloseRequestAsksToSaveAndCancelKeepsTheProgramRunning)
{
    type(QStringLiteral("unsaved words"));
    // Cancel; Yes and then a cancelled Save As: the window stays.
    prompter.answers = {QMessageBox::Cancel, QMessageBox::Yes};
    EXPECT_FALSE(window->close());
    EXPECT_FALSE(window->close());
    ASSERT_EQ(prompter.shown.size(), 2u);
    for (const auto& shown : prompter.shown) {
        EXPECT_EQ(shown.text, QStringLiteral("Save changes to Untitled?"));
        EXPECT_EQ(shown.caption, QStringLiteral("Narrix"));
        EXPECT_EQ(shown.icon, QMessageBox::Question);
        EXPECT_EQ(shown.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        EXPECT_EQ(shown.openModalDialogs, 1);
    }
    // Yes and a name: saved, then closed.
    prompter.answers = {QMessageBox::Yes};
    prompter.fileNames = {file("kept")};
    EXPECT_TRUE(window->close());
    QFile saved(file("kept.txt"));
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), "unsaved words");
}

TEST_F(DocumentEditorWindowTest, OpenAndSaveThroughTheFileMenuKeepRichText)
{
    {
        QFile rtf(file("styled.rtf"));
        ASSERT_TRUE(rtf.open(QIODevice::WriteOnly));
        rtf.write("{\\rtf1{\\fonttbl{\\f0 DejaVu Sans;}}\\f0 plain {\\b bold} caf\\'e9\\par second}");
    }
    prompter.fileNames = {file("styled.rtf")};
    window->actions().actOpen->trigger();
    EXPECT_EQ(title(), QStringLiteral("styled.rtf"));
    EXPECT_EQ(editor().toPlainText(), QStringLiteral("plain bold caf\u00e9\nsecond"));
    EXPECT_FALSE(editor().document()->isModified());
    QTextCursor cursor(editor().document());
    cursor.setPosition(8);
    EXPECT_EQ(cursor.charFormat().fontWeight(), QFont::Bold);

    prompter.fileNames = {file("copy.RTF")};
    window->actions().actSaveAs->trigger();
    EXPECT_EQ(title(), QStringLiteral("copy.RTF"));
    QFile copy(file("copy.RTF"));
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    RtfDocument read;
    ASSERT_TRUE(ReadRtf(copy.readAll().toStdString(), &read));
    EXPECT_EQ(read.plainText(), "plain bold caf\xC3\xA9\nsecond");
    bool boldSeen = false;
    for (const RtfRun& run : read.runs)
        boldSeen = boldSeen || (run.text == "bold" && run.format.bold);
    EXPECT_TRUE(boldSeen);

    // New empties the document; the title is Untitled again.
    window->actions().actNew->trigger();
    EXPECT_TRUE(editor().toPlainText().isEmpty());
    EXPECT_EQ(title(), QStringLiteral("Untitled"));
}

TEST_F(DocumentEditorWindowTest, FindDialogByKeyboard)
{
    EXPECT_FALSE(window->actions().actFind->isEnabled());
    type(QStringLiteral("a cat and a concatenate"));
    plugin.controller()->updateActions();
    ASSERT_TRUE(window->actions().actFind->isEnabled());
    window->actions().actFind->trigger();
    FindDialog* dialog = plugin.controller()->findDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(dialog->isVisible());
    auto* what = dialog->findChild<QLineEdit*>(QStringLiteral("edFind"));
    what->setFocus();
    QTest::keyClicks(what, QStringLiteral("cat"));
    auto* wholeWord = dialog->findChild<QCheckBox*>(QStringLiteral("cbWholeWord"));
    wholeWord->setFocus();
    QTest::keyClick(wholeWord, Qt::Key_Space);
    auto* up = dialog->findChild<QRadioButton*>(QStringLiteral("rbUp"));
    up->setFocus();
    QTest::keyClick(up, Qt::Key_Space);
    EXPECT_TRUE(dialog->findChild<QCheckBox*>(QStringLiteral("cbWholeWord"))->isChecked());
    EXPECT_TRUE(dialog->findChild<QRadioButton*>(QStringLiteral("rbUp"))->isChecked());
    what->setFocus();
    QTest::keyClick(what, Qt::Key_Return); // Find Next: up from the end skips "concatenate"
    EXPECT_EQ(editor().textCursor().selectionStart(), 2);
    EXPECT_EQ(editor().textCursor().selectedText(), QStringLiteral("cat"));
    QTest::keyClick(what, Qt::Key_Return); // nothing further up: a beep, the selection stays
    EXPECT_EQ(editor().textCursor().selectionStart(), 2);
    QTest::keyClick(what, Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
}

// The menu band's buttons never take the focus: typing after the start, after New and after each
// file dialog goes into the document (it once opened the File menu and then Save As).
TEST_F(DocumentEditorWindowTest, TypingGoesIntoTheEditorAtStartAndAfterNewAndTheFileDialogs)
{
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    for (const char* name : {"btnFile", "btnEdit", "btnHelp"}) {
        auto* button = window->findChild<QToolButton*>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        EXPECT_EQ(button->focusPolicy(), Qt::NoFocus) << name;
    }
    ASSERT_EQ(QApplication::focusWidget(), &editor());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("fa"));
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_EQ(editor().toPlainText(), QStringLiteral("fa"));

    auto* list = window->findChild<QWidget*>(QStringLiteral("ListView1"));
    struct Step
    {
        const char* name;
        std::function<void()> run;
    };
    const Step steps[] = {
        {"New (Ctrl+N), not saving", [&] { QTest::keyClick(window.get(), Qt::Key_N, Qt::ControlModifier); }},
        {"Open (Ctrl+O), cancelled", [&] { QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier); }},
        {"Save (Ctrl+S) through Save As",
         [&] {
             prompter.fileNames = {file("typed.txt")};
             QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier);
         }},
        {"Open (Ctrl+O) of a file",
         [&] {
             prompter.fileNames = {file("typed.txt")};
             QTest::keyClick(window.get(), Qt::Key_O, Qt::ControlModifier);
         }},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        list->setFocus();
        ASSERT_EQ(QApplication::focusWidget(), list);
        step.run();
        EXPECT_EQ(QApplication::focusWidget(), &editor());
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("x"));
        EXPECT_TRUE(editor().toPlainText().endsWith(QLatin1Char('x')));
    }
    EXPECT_EQ(title(), QStringLiteral("typed.txt"));
}

// The find dialog moves off the match it selects; the search runs from the keyboard alone.
TEST_F(DocumentEditorWindowTest, FindDialogMovesOffTheMatchItSelects)
{
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    editor().setPlainText(QStringLiteral("needle in the first line\nsecond line\nthird line"));
    QTextCursor start(editor().document());
    editor().setTextCursor(start);
    plugin.controller()->updateActions();
    QTest::keyClick(window.get(), Qt::Key_F, Qt::ControlModifier);
    FindDialog* dialog = plugin.controller()->findDialog();
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    // Over the text's first line, where the match will be.
    dialog->move(editor().viewport()->mapToGlobal(QPoint(0, 0)) - QPoint(10, 10));
    const QRect firstLine(editor().viewport()->mapToGlobal(editor().cursorRect(start).topLeft()),
                          QSize(editor().viewport()->width(), editor().cursorRect(start).height()));
    ASSERT_TRUE(dialog->frameGeometry().intersects(firstLine));

    auto* what = dialog->findChild<QLineEdit*>(QStringLiteral("edFind"));
    what->setFocus();
    QTest::keyClicks(what, QStringLiteral("needle"));
    QTest::keyClick(what, Qt::Key_Return);
    ASSERT_EQ(editor().textCursor().selectedText(), QStringLiteral("needle"));
    QTextCursor matchStart(editor().document());
    QTextCursor matchEnd(editor().document());
    matchEnd.setPosition(6);
    const QRect match(editor().viewport()->mapToGlobal(editor().cursorRect(matchStart).topLeft()),
                      editor().viewport()->mapToGlobal(editor().cursorRect(matchEnd).bottomRight()));
    EXPECT_FALSE(dialog->frameGeometry().intersects(match));
    EXPECT_TRUE(dialog->screen()->availableGeometry().contains(dialog->frameGeometry()));
    // Nothing covered: the next find leaves the dialog where it is.
    const QPoint clear = dialog->pos();
    QTest::keyClick(what, Qt::Key_Return); // no further match: a beep
    EXPECT_EQ(dialog->pos(), clear);
    QTest::keyClick(what, Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(DocumentEditorWindowTest, TextFontKeepsTheSelection)
{
    type(QStringLiteral("one two three"));
    QTextCursor cursor(editor().document());
    cursor.setPosition(4);
    cursor.setPosition(7, QTextCursor::KeepAnchor);
    editor().setTextCursor(cursor);
    prompter.dialogResults = {QDialog::Accepted};
    window->actions().actFont->trigger();
    EXPECT_EQ(editor().textCursor().selectionStart(), 4);
    EXPECT_EQ(editor().textCursor().selectionEnd(), 7);
    const QString family = window->settings().documentFont.name;
    for (int at : {1, 5, 12}) {
        QTextCursor probe(editor().document());
        probe.setPosition(at);
        EXPECT_EQ(probe.charFormat().font().family(), family) << at;
    }
}

TEST_F(DocumentEditorWindowTest, FollowAlongHighlightsTheSentenceHeardUntilAnEdit)
{
    Q_EMIT engine.OnSpeakingDone(); // the greeting is over
    engine.spoken.clear();
    type(QStringLiteral("First sentence. Second one."));
    QTextCursor start(editor().document());
    editor().setTextCursor(start);
    window->actions().actPlay->trigger();
    ASSERT_FALSE(engine.spoken.isEmpty());
    const qsizetype second = engine.spoken.back().indexOf(QStringLiteral("Second"));
    Q_EMIT engine.OnSentence(engine.LastQueuedText(), second, second + 11);
    ASSERT_EQ(editor().extraSelections().size(), 1);
    EXPECT_EQ(editor().extraSelections()[0].cursor.selectionStart(), 16);
    EXPECT_EQ(editor().extraSelections()[0].cursor.selectedText(), QStringLiteral("Second one."));
    EXPECT_FALSE(editor().textCursor().hasSelection()); // the user's selection is left alone

    type(QStringLiteral("x"));
    EXPECT_TRUE(editor().extraSelections().isEmpty());

    // The View switch turns it off and is kept in the settings.
    auto* followSwitch = window->findChild<QAction*>(QStringLiteral("actFollowAlong"));
    ASSERT_NE(followSwitch, nullptr);
    EXPECT_TRUE(followSwitch->isChecked());
    followSwitch->trigger();
    EXPECT_FALSE(window->settings().followAlong);
    EXPECT_FALSE(window->reading().followAlong().enabled());
}

TEST_F(DocumentEditorWindowTest, AFileDroppedOnTheWindowOpensAfterTheSaveChangesPrompt)
{
    QFile out(file("dropped.txt"));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("Dropped words.");
    out.close();
    type(QStringLiteral("unsaved"));
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(file("dropped.txt"))});
    const auto drop = [&] {
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(editor().viewport(), &enter);
        QDropEvent dropped(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(editor().viewport(), &dropped);
    };
    prompter.answers = {QMessageBox::Cancel};
    drop();
    EXPECT_EQ(editor().toPlainText(), QStringLiteral("unsaved"));
    prompter.answers = {QMessageBox::No};
    drop();
    EXPECT_EQ(prompter.shown.size(), 2u);
    EXPECT_EQ(editor().toPlainText(), QStringLiteral("Dropped words."));
    EXPECT_EQ(title(), QStringLiteral("dropped.txt"));
    EXPECT_FALSE(editor().document()->isModified());
}

TEST(EditorLoading, GivesTheEditorExactlyTheTextItPromises)
{
    const QString longLine(200 * 1024, QLatin1Char('w'));
    QString pairs; // surrogate pairs across every possible slice edge
    for (int i = 0; i < 60000; ++i)
        pairs += QString::fromUtf8("\xF0\x9F\x98\x80");
    const struct
    {
        const char* name;
        QString text;
    } cases[] = {
        {"empty", QString()},
        {"short", QStringLiteral("One line.\nTwo lines.")},
        {"separators", QString::fromUtf8("a\xC2\xA0"
                                         "b\rc\xE2\x80\xA8"
                                         "d\xE2\x80\xA9"
                                         "e")},
        {"a long line", longLine},
        {"surrogate pairs", pairs},
        {"many lines", QStringLiteral("a line of words\n").repeated(40000)},
    };
    for (const auto& c : cases) {
        QTextEdit edit;
        edit.document()->setModified(false);
        EditorLoading loading(edit);
        loading.startPlain(c.text);
        EXPECT_TRUE(edit.isReadOnly() || !loading.active()) << c.name;
        EXPECT_EQ(loading.text().size(), c.text.size()) << c.name;
        loading.finish();
        EXPECT_FALSE(loading.active()) << c.name;
        EXPECT_EQ(edit.toPlainText(), loading.text()) << c.name;
        EXPECT_EQ(edit.toPlainText(), EditorLoading::asEditorText(c.text)) << c.name;
        EXPECT_FALSE(edit.document()->isModified()) << c.name;
        EXPECT_FALSE(edit.document()->isUndoAvailable()) << c.name;
        EXPECT_FALSE(edit.isReadOnly()) << c.name;
    }

    // Rich runs keep their formats across slices; emptying the editor drops what is left.
    RtfDocument rich;
    RtfTextFormat bold;
    bold.bold = true;
    rich.append(std::string(100000, 'p'), RtfTextFormat{});
    rich.append(std::string(100000, 'b'), bold);
    QTextEdit edit;
    EditorLoading loading(edit);
    loading.startRich(rich, QTextCharFormat());
    ASSERT_TRUE(loading.active());
    QTRY_VERIFY_WITH_TIMEOUT(!loading.active(), 20000);
    const RtfDocument back = richTextOf(*edit.document());
    ASSERT_EQ(back.runs.size(), 2u);
    EXPECT_FALSE(back.runs[0].format.bold);
    EXPECT_TRUE(back.runs[1].format.bold);
    EXPECT_EQ(back.runs[1].text, std::string(100000, 'b'));
    // A run that starts with a surrogate pair right where the first slice's budget runs out.
    RtfDocument pairAtTheEdge;
    pairAtTheEdge.append(std::string(32 * 1024 - 1, 'a'), RtfTextFormat{});
    pairAtTheEdge.append("\xF0\x9F\x98\x80 end", bold);
    loading.startRich(pairAtTheEdge, QTextCharFormat());
    loading.finish();
    EXPECT_TRUE(edit.toPlainText().endsWith(QString::fromUtf8("a\xF0\x9F\x98\x80 end")));
    loading.startPlain(QStringLiteral("x").repeated(1 << 20));
    loading.cancel();
    const int kept = edit.document()->characterCount();
    QTest::qWait(50);
    EXPECT_EQ(edit.document()->characterCount(), kept);
    EXPECT_FALSE(edit.isReadOnly());

    // The window closing while a long text still fills its editor: nothing touches the editor after.
    auto gone = std::make_unique<QTextEdit>();
    {
        EditorLoading orphan(*gone);
        orphan.startPlain(QStringLiteral("y").repeated(1 << 20));
        ASSERT_TRUE(orphan.active());
        gone.reset();
        EXPECT_FALSE(orphan.active());
        QTest::qWait(20);
    }
}

TEST_F(DocumentEditorWindowTest, ALongFileShowsAtOnceAndPlayReadsItWholeWhileItFillsIn)
{
    QString text;
    for (int i = 0; text.size() < 4 * 1024 * 1024; ++i)
        text += QStringLiteral("Sentence number %1 of a long book.\n").arg(i);
    QFile out(file("book.txt"));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(text.toUtf8());
    out.close();
    Q_EMIT engine.OnSpeakingDone(); // the greeting is over
    engine.spoken.clear();

    ASSERT_TRUE(plugin.controller()->logic().openPath(file("book.txt")));
    const EditorLoading& loading = plugin.controller()->view().loading();
    ASSERT_TRUE(loading.active());
    EXPECT_LT(editor().document()->characterCount(), text.size());
    EXPECT_TRUE(editor().isReadOnly());
    EXPECT_FALSE(editor().document()->isModified());
    EXPECT_TRUE(window->actions().actFind->isEnabled());
    window->actions().actPlay->trigger();
    ASSERT_FALSE(engine.spoken.isEmpty());
    // The engine takes the first part at once and the rest when it is cleaned: the whole document.
    QTRY_COMPARE_WITH_TIMEOUT(engine.spoken.size(), 2, 20000);
    const QString lastLine = text.trimmed().section(QLatin1Char('\n'), -1);
    EXPECT_TRUE(engine.spoken.back().trimmed().endsWith(lastLine)) << lastLine.toStdString();

    QTRY_VERIFY_WITH_TIMEOUT(!loading.active(), 60000);
    EXPECT_EQ(editor().toPlainText(), text);
    EXPECT_FALSE(editor().isReadOnly());
    EXPECT_FALSE(editor().document()->isModified());
    EXPECT_FALSE(editor().document()->isUndoAvailable());
}

// A groff book of about 60 pages, numbered paragraphs under a running header.
QByteArray longPdfSource()
{
    QByteArray source = ".ds LH Running Header\n.nr HY 1\n";
    for (int paragraph = 1; paragraph <= 600; ++paragraph)
        source += ".PP\nParagraph " + QByteArray::number(paragraph) +
                  " begins. Internationalization and telecommunications need characterization.\n";
    return source;
}

class LongPdfInEditor : public DocumentEditorWindowTest
{
protected:
    void SetUp() override
    {
        DocumentEditorWindowTest::SetUp();
        book = file("book.pdf");
        const QString problem = test::groffPdf(longPdfSource(), book);
        ASSERT_TRUE(problem.isEmpty()) << problem.toStdString();
        std::string error;
        const std::optional<std::string> text =
            readDocumentSpeechText(book.toStdString(), DocumentFormat::Pdf, {}, &error);
        ASSERT_TRUE(text) << error;
        whole = QString::fromStdString(*text);
        Q_EMIT engine.OnSpeakingDone(); // the greeting is over
        engine.spoken.clear();
    }
    DocumentEditor& logic() { return plugin.controller()->logic(); }
    bool loadingDone() { return !logic().loading() && !plugin.controller()->view().loading().active(); }

    QString book;
    QString whole; // the file read at once
};

TEST_F(LongPdfInEditor, ShowsItsFirstPagesAtOnceAndPlayGoesOnIntoThePagesAsTheyArrive)
{
    ASSERT_TRUE(logic().openPath(book));
    // Before the event loop runs again: the first pages only.
    ASSERT_TRUE(logic().loading());
    const QString first = plugin.documentText().value_or(QString());
    EXPECT_TRUE(first.contains(QLatin1String("Paragraph 1 begins.")));
    EXPECT_FALSE(first.contains(QLatin1String("Paragraph 600 begins.")));
    EXPECT_TRUE(whole.startsWith(first));
    EXPECT_EQ(title(), QStringLiteral("book.pdf"));
    EXPECT_FALSE(editor().document()->isModified());
    // The user's caret at the end of what has come.
    QTextCursor caret(editor().document());
    caret.movePosition(QTextCursor::End);
    editor().setTextCursor(caret);
    const int caretAt = caret.position();
    ASSERT_GT(caretAt, 100);

    window->actions().actPlay->trigger();
    ASSERT_EQ(engine.spoken.size(), 1) << "the first pages are heard at once";
    EXPECT_TRUE(engine.spoken.front().contains(QLatin1String("Paragraph 1 begins.")));

    QTRY_VERIFY_WITH_TIMEOUT(loadingDone(), 60000);
    EXPECT_EQ(editor().toPlainText(), whole);
    EXPECT_FALSE(editor().document()->isModified());
    EXPECT_FALSE(editor().isReadOnly());
    EXPECT_EQ(editor().textCursor().position(), caretAt);
    EXPECT_FALSE(editor().textCursor().hasSelection());
    EXPECT_EQ(title(), QStringLiteral("book.pdf"));
    // The reading went on into every later page, cleaned as the whole text is.
    EXPECT_GT(engine.spoken.size(), 2);
    const AsciiFolding folding = asciiFoldingFor(engine.LanguageID(1), engine.ReadsSymbols(1));
    EXPECT_EQ(engine.spoken.join(QString()).toStdString(), CleanSpeechText(whole.toStdString(), folding));
    // These formats are never written back: Save is Save As.
    prompter.fileNames = {file("saved")};
    window->actions().actSave->trigger();
    EXPECT_EQ(title(), QStringLiteral("saved.txt"));
}

// While the pages still arrive, the commands that need the whole document take the rest in first;
// a second Open replaces the document and ends the reading of the first. Each is checked once all
// is in, so a command that saw only the first pages shows.
TEST_F(LongPdfInEditor, CommandsWhileThePagesArriveSeeTheWholeDocument)
{
    const QString last = QStringLiteral("Paragraph 600 begins.");
    const struct
    {
        const char* name;
        std::function<void()> run;
        std::function<void()> check;
    } cases[] = {
        {"Find", [&] { EXPECT_TRUE(logic().findNext(last, FindOptions{}, true)); },
         [&] { EXPECT_EQ(editor().textCursor().selectedText(), last); }},
        {"Select All",
         [this] {
             editor().setFocus();
             QTest::keySequence(&editor(), QKeySequence::SelectAll);
         },
         [this] {
             EXPECT_EQ(editor().textCursor().selectionEnd(), editor().document()->characterCount() - 1);
             EXPECT_EQ(editor().textCursor().selectionStart(), 0);
         }},
        {"Save As",
         [this] {
             prompter.fileNames = {file("copy.txt")};
             window->actions().actSaveAs->trigger();
         },
         [this] {
             QFile copy(file("copy.txt"));
             ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
             EXPECT_EQ(QString::fromUtf8(copy.readAll()), whole);
             EXPECT_EQ(title(), QStringLiteral("copy.txt"));
         }},
        {"second Open",
         [this] {
             QFile other(file("other.txt"));
             ASSERT_TRUE(other.open(QIODevice::WriteOnly));
             other.write("Another document.");
             other.close();
             prompter.fileNames = {file("other.txt")};
             window->actions().actOpen->trigger();
         },
         [this] {
             EXPECT_EQ(editor().toPlainText(), QStringLiteral("Another document."));
             EXPECT_EQ(title(), QStringLiteral("other.txt"));
             // The reading of the book was closed with what it had: no more of it followed.
             EXPECT_FALSE(engine.spoken.join(QString()).contains(QLatin1String("Paragraph 600 ")));
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        engine.spoken.clear();
        ASSERT_TRUE(logic().openPath(book));
        ASSERT_TRUE(logic().loading());
        window->actions().actPlay->trigger();
        c.run();
        QTRY_VERIFY_WITH_TIMEOUT(loadingDone(), 60000);
        c.check();
        EXPECT_FALSE(editor().document()->isModified());
        window->actions().actStop->trigger();
        Q_EMIT engine.OnSpeakingDone();
    }
}

} // namespace
} // namespace narrix
