#include "editor/text_edit_document_view.h"

#include "editor/document_font_qt.h"
#include "editor/rich_text_conversion.h"

#include <QApplication>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace narrix {

TextEditDocumentView::TextEditDocumentView(QTextEdit& editor) : editor_(editor), loading_(editor) {}

TextEditDocumentView::~TextEditDocumentView()
{
    QObject::disconnect(watching_);
}

void TextEditDocumentView::setTitle(const QString& title)
{
    if (titleSink)
        titleSink(title);
}

void TextEditDocumentView::setRichTextMode(bool rich)
{
    editor_.setAcceptRichText(rich);
}

void TextEditDocumentView::clear(const DocumentFont& font)
{
    loading_.cancel();
    editor_.clear();
    QTextDocument* document = editor_.document();
    document->setDefaultFont(qFontFrom(font));
    typingFormat_ = charFormatFrom(font);
    editor_.setCurrentCharFormat(typingFormat_);
}

void TextEditDocumentView::setPlainText(const QString& text)
{
    // In the document's default font (the document font), without an undo step.
    loading_.startPlain(text);
    keepText(loading_.text());
    editor_.setCurrentCharFormat(typingFormat_);
    editor_.moveCursor(QTextCursor::Start);
}

void TextEditDocumentView::setRichText(const RtfDocument& rich)
{
    loading_.startRich(rich, editor_.currentCharFormat());
    keepText(loading_.text());
    editor_.moveCursor(QTextCursor::Start);
}

void TextEditDocumentView::setGrowingText(const QString& first)
{
    loading_.startGrowing(first);
    keepText(loading_.text());
    editor_.setCurrentCharFormat(typingFormat_);
    editor_.moveCursor(QTextCursor::Start);
}

void TextEditDocumentView::appendText(const QString& piece)
{
    // The kept copy is let go first, so that the loading's text grows in place instead of being
    // copied for every piece.
    text_.reset();
    loading_.append(piece);
    if (loading_.active())
        keepText(loading_.text());
}

void TextEditDocumentView::endGrowingText()
{
    loading_.close();
}

void TextEditDocumentView::keepText(const QString& text) const
{
    text_ = text;
    // Any edit makes the copy stale.
    if (!watching_)
        watching_ = QObject::connect(editor_.document(), &QTextDocument::contentsChanged, &editor_,
                                     [this] { text_.reset(); });
}

QString TextEditDocumentView::plainText() const
{
    // Copying a long text out of the editor takes long: the copy is kept until the next edit.
    if (!text_)
        keepText(editor_.toPlainText());
    return *text_;
}

RtfDocument TextEditDocumentView::richText() const
{
    loading_.finish();
    return richTextOf(*editor_.document());
}

bool TextEditDocumentView::isModified() const
{
    return editor_.document()->isModified();
}

void TextEditDocumentView::setModified(bool modified)
{
    editor_.document()->setModified(modified);
}

qsizetype TextEditDocumentView::selectionStart() const
{
    return editor_.textCursor().selectionStart();
}

qsizetype TextEditDocumentView::selectionLength() const
{
    const QTextCursor cursor = editor_.textCursor();
    return cursor.selectionEnd() - cursor.selectionStart();
}

void TextEditDocumentView::select(qsizetype start, qsizetype length)
{
    if (start + length >= editor_.document()->characterCount() - 1)
        loading_.finish(); // beyond what is in yet
    QTextCursor cursor(editor_.document());
    cursor.setPosition(static_cast<int>(start));
    cursor.setPosition(static_cast<int>(start + length), QTextCursor::KeepAnchor);
    editor_.setTextCursor(cursor);
}

void TextEditDocumentView::setSelectionFont(const DocumentFont& font)
{
    // With a selection, the editor gives it the format; without, the typing position takes it.
    loading_.finish();
    editor_.setCurrentCharFormat(charFormatFrom(font));
}

void TextEditDocumentView::beep()
{
    QApplication::beep();
}

} // namespace narrix
