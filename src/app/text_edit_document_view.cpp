#include "app/text_edit_document_view.h"

#include "app/document_font_qt.h"
#include "app/rich_text_conversion.h"

#include <QApplication>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace narrix {

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
    editor_.clear();
    QTextDocument* document = editor_.document();
    document->setDefaultFont(qFontFrom(font));
    typingFormat_ = charFormatFrom(font);
    editor_.setCurrentCharFormat(typingFormat_);
}

void TextEditDocumentView::setPlainText(const QString& text)
{
    // The document's own loading: no undo step, its default font (the document font) for the text,
    // and the layout done in steps while the event loop runs rather than all at once.
    editor_.document()->setPlainText(text);
    editor_.setCurrentCharFormat(typingFormat_);
    editor_.moveCursor(QTextCursor::Start);
}

void TextEditDocumentView::setRichText(const RtfDocument& rich)
{
    QTextDocument* document = editor_.document();
    document->setUndoRedoEnabled(false);
    insertRichText(rich, editor_.currentCharFormat(), document);
    document->setUndoRedoEnabled(true);
    editor_.moveCursor(QTextCursor::Start);
}

QString TextEditDocumentView::plainText() const
{
    // Copying a long text out of the editor takes long: the copy is kept until the next edit.
    if (!textValid_) {
        text_ = editor_.toPlainText();
        textValid_ = true;
        if (!watching_)
            watching_ = QObject::connect(editor_.document(), &QTextDocument::contentsChanged, &editor_,
                                         [this] { forgetText(); });
    }
    return text_;
}

void TextEditDocumentView::forgetText() const
{
    textValid_ = false;
    text_ = QString();
}

RtfDocument TextEditDocumentView::richText() const
{
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
    QTextCursor cursor(editor_.document());
    cursor.setPosition(static_cast<int>(start));
    cursor.setPosition(static_cast<int>(start + length), QTextCursor::KeepAnchor);
    editor_.setTextCursor(cursor);
}

void TextEditDocumentView::setSelectionFont(const DocumentFont& font)
{
    // With a selection, the editor gives it the format; without, the typing position takes it.
    editor_.setCurrentCharFormat(charFormatFrom(font));
}

void TextEditDocumentView::beep()
{
    QApplication::beep();
}

} // namespace narrix
