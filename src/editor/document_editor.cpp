#include "editor/document_editor.h"

#include "base/rtf_writer.h"
#include "documents/document_pieces.h"
#include "documents/document_reader.h"
#include "editor/document_file_types.h"
#include "editor/document_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace narrix {
namespace {

const QString kUntitledTitle = QStringLiteral("Untitled");

} // namespace

DocumentEditor::DocumentEditor(DocumentView& view, DocumentDialogs& dialogs, DocumentFont& font)
    : view_(view), dialogs_(dialogs), font_(font)
{
    QObject::connect(&pieces_, &ProgressiveDocumentReader::pieceRead, &pieces_,
                     [this](const QString& piece) { pieceArrived(piece); });
    QObject::connect(&pieces_, &ProgressiveDocumentReader::finished, &pieces_,
                     [this](const QString& error) { piecesEnded(error); });
}

void DocumentEditor::setTitle(const QString& title)
{
    state_.title = title;
    view_.setTitle(shownTitle());
}

QString DocumentEditor::shownTitle() const
{
    // The state keeps "Untitled" in English (the schedule list stores it); the caption translates it.
    if (state_.path.isEmpty() && state_.title == kUntitledTitle)
        return QCoreApplication::translate("DocumentEditor", "Untitled");
    return state_.title;
}

bool DocumentEditor::ConfirmSaveChanges()
{
    if (!view_.isModified())
        return true;
    switch (dialogs_.askSaveChanges(
        QCoreApplication::translate("DocumentEditor", "Save changes to %1?").arg(shownTitle()))) {
    case SaveChangesAnswer::Cancel:
        return false;
    case SaveChangesAnswer::No:
        return true;
    case SaveChangesAnswer::Yes:
        break;
    }
    state_.saved = false;
    save();
    return state_.saved;
}

void DocumentEditor::newDocument()
{
    if (!ConfirmSaveChanges())
        return;
    stopPieces();
    view_.setModified(false);
    view_.clear(font_);
    view_.setModified(false);
    state_.path.clear();
    setTitle(kUntitledTitle);
}

bool DocumentEditor::open()
{
    if (!ConfirmSaveChanges())
        return false;
    const QString path = dialogs_.openFileName(kOpenDocumentFilter, dialogFolder());
    state_.opened = !path.isEmpty() && openPath(path);
    return state_.opened;
}

PasswordAsker DocumentEditor::passwordAskerFor(const QString& path)
{
    return [this, path](bool wrongBefore) -> std::optional<std::string> {
        const std::optional<QString> password =
            dialogs_.askDocumentPassword(documentTitleOf(path), wrongBefore);
        return password ? std::optional(password->toStdString()) : std::nullopt;
    };
}

bool DocumentEditor::openPath(const QString& path)
{
    const std::optional<DocumentFormat> format = documentFormatOf(path.toStdString());
    if (format && readsInPieces(*format))
        return openInPieces(path, *format);
    // Read before anything changes: a file that cannot be read leaves the document, its title and path
    // as they were (a later Save must not write the old path with an emptied editor).
    DocumentContent content;
    QString error;
    if (!readDocumentFile(path, &content, &error, passwordAskerFor(path))) {
        dialogs_.showFileError(QStringLiteral("Cannot open \"") + path + QStringLiteral("\".\r\n") + error);
        return false;
    }
    stopPieces(); // a document still arriving is replaced
    setTitle(documentTitleOf(path));
    // DOCX and ODT keep their headings, bold and italic in the rich-text mode.
    state_.richText = isRichTextPath(path) || content.richText;
    view_.setRichTextMode(state_.richText);
    view_.clear(font_);
    if (content.richText)
        view_.setRichText(content.rich);
    else
        view_.setPlainText(content.plain);
    view_.setModified(false);
    state_.path = path;
    return true;
}

bool DocumentEditor::openInPieces(const QString& path, DocumentFormat format)
{
    // The file is opened and its first piece read here, so that a file that cannot be read leaves
    // the document as it was, and the first pages show (and Play can read them) as soon as this returns.
    DocumentReadOptions options;
    options.askPassword = passwordAskerFor(path);
    std::string reason;
    std::unique_ptr<DocumentPieces> pieces = openDocumentPieces(path.toStdString(), format, options, &reason);
    std::optional<std::string> first;
    if (pieces)
        first = pieces->next(&reason);
    if (!pieces || !reason.empty()) {
        dialogs_.showFileError(QStringLiteral("Cannot open \"") + path + QStringLiteral("\".\r\n") +
                               QString::fromStdString(reason));
        return false;
    }
    stopPieces();
    setTitle(documentTitleOf(path));
    state_.richText = false; // these formats come as plain text
    view_.setRichTextMode(false);
    view_.clear(font_);
    view_.setGrowingText(QString::fromStdString(first.value_or(std::string())));
    view_.setModified(false);
    state_.path = path;
    loadingPath_ = path;
    if (first)
        pieces_.start(std::move(pieces));
    else
        view_.endGrowingText(); // a document with no piece at all
    return true;
}

void DocumentEditor::pieceArrived(const QString& piece)
{
    view_.appendText(piece);
    if (onPieceAppended)
        onPieceAppended(piece);
}

void DocumentEditor::piecesEnded(const QString& error)
{
    view_.endGrowingText();
    if (onPiecesEnded)
        onPiecesEnded();
    // What was read stays; the reason is told once.
    if (!error.isEmpty())
        dialogs_.showFileError(QStringLiteral("Cannot read all of \"") + loadingPath_ +
                               QStringLiteral("\".\r\n") + error);
}

void DocumentEditor::stopPieces()
{
    if (!pieces_.running())
        return;
    pieces_.stop();
    view_.endGrowingText();
    if (onPiecesEnded)
        onPiecesEnded();
}

void DocumentEditor::finishLoading()
{
    pieces_.finishNow();
}

void DocumentEditor::save()
{
    if (state_.path.isEmpty() || isReadOnlyDocumentPath(state_.path)) {
        saveAs();
        return;
    }
    state_.richText = isRichTextPath(state_.path);
    view_.setRichTextMode(state_.richText);
    if (!writeTo(state_.path))
        return;
    view_.setModified(false);
    state_.saved = true;
}

void DocumentEditor::saveAs()
{
    QString path = dialogs_.saveFileName(kSaveDocumentFilter, dialogFolder());
    if (path.isEmpty()) {
        state_.saved = false;
        return;
    }
    const QString withExtension = withDefaultTextExtension(path);
    // The dialog asked about replacing the name as typed; the name with ".txt" added is asked here.
    if (withExtension != path && QFileInfo::exists(withExtension) &&
        !dialogs_.confirmReplace(withExtension)) {
        state_.saved = false;
        return;
    }
    path = withExtension;
    state_.richText = isRichTextPath(path);
    view_.setRichTextMode(state_.richText);
    if (!writeTo(path)) {
        state_.saved = false;
        return;
    }
    setTitle(documentTitleOf(path));
    state_.path = path;
    view_.setModified(false);
    state_.saved = true;
}

QString DocumentEditor::dialogFolder() const
{
    if (!state_.path.isEmpty()) {
        const QFileInfo document(state_.path);
        if (document.absoluteDir().exists())
            return document.absolutePath();
    }
    return QDir::homePath();
}

bool DocumentEditor::writeTo(const QString& path)
{
    finishLoading(); // the whole document is written
    const std::string bytes = state_.richText ? WriteRtf(view_.richText(), font_.name.toStdString())
                                              : plainDocumentBytes(view_.plainText());
    QString error;
    if (writeDocumentFile(path, bytes, &error))
        return true;
    dialogs_.showFileError(QStringLiteral("Cannot save \"") + path + QStringLiteral("\".\r\n") + error);
    return false;
}

void DocumentEditor::chooseTextFont()
{
    const std::optional<DocumentFont> chosen = dialogs_.chooseFont(font_);
    if (!chosen)
        return;
    font_ = *chosen;
    finishLoading(); // every character takes the font
    const qsizetype start = view_.selectionStart();
    const qsizetype length = view_.selectionLength();
    view_.select(0, view_.plainText().size());
    view_.setSelectionFont(font_);
    view_.select(start, length);
    view_.setSelectionFont(font_); // the typing position too
}

bool DocumentEditor::findNext(const QString& what, FindOptions options, bool down)
{
    finishLoading(); // a search looks through the whole document
    const QString text = view_.plainText();
    const qsizetype start = view_.selectionStart();
    const qsizetype at = down ? findDown(text, what, start + view_.selectionLength(), options)
                              : findUp(text, what, start, options);
    if (at < 0) {
        view_.beep();
        return false;
    }
    view_.select(at, what.size());
    return true;
}

void DocumentEditor::contentChanged()
{
    if (view_.selectionLength() == 0)
        view_.setSelectionFont(font_);
}

} // namespace narrix
