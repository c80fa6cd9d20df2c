#pragma once

#include "documents/document_format.h"
#include "documents/password_asker.h"
#include "documents/progressive_document_reader.h"
#include "editor/document_search.h"
#include "editor/document_view.h"
#include "settings/settings.h"

#include <QString>
#include <functional>

namespace narrix {

// The document's state besides the editor's own content and modified mark.
struct DocumentState
{
    QString path; // empty for a new document
    QString title = QStringLiteral("Untitled");
    bool richText = false; // the editor's mode: decides how files are read and written
    bool opened = false;   // the last Open command opened a file
    bool saved = false;    // the last Save or Save As wrote the file
};

// The document editor's commands: New, Open, Save, Save As, the save-changes prompt, Text Font and
// Find. The editor control and the dialogs are seams; `font` is the settings' document font.
class DocumentEditor
{
public:
    DocumentEditor(DocumentView& view, DocumentDialogs& dialogs, DocumentFont& font);

    const DocumentState& state() const { return state_; }

    // The save-changes prompt: false when the calling command must end (Cancel, or Yes and the save
    // did not happen).
    bool ConfirmSaveChanges();

    void newDocument();
    // File Open: true when a file was opened.
    bool open();
    // Opens a file by path (File Open, a dropped file). A file that cannot be read is reported and
    // leaves the document as it was. True when it was opened.
    bool openPath(const QString& path);
    void save();
    void saveAs();
    // Text Font: the whole text takes the chosen font; the selection is kept.
    void chooseTextFont();
    // One find-next of the find dialog. A failed search beeps. True when found (and selected).
    bool findNext(const QString& what, FindOptions options, bool down);

    // The editor's content changed: typed text takes the document font.
    void contentChanged();

    // A PDF or EPUB opens with its first pages (or chapters); the rest is read on a worker thread
    // and appended as it arrives. True until its last piece is in.
    bool loading() const { return pieces_.running(); }
    // Reads the rest of such a document now (for a command that needs the whole text).
    void finishLoading();
    // Told of each piece appended to the document, and when no more will come (the document is
    // whole, or another replaced it).
    std::function<void(const QString& piece)> onPieceAppended;
    std::function<void()> onPiecesEnded;

private:
    // The title as the caption and the save-changes prompt show it.
    QString shownTitle() const;
    bool openInPieces(const QString& path, DocumentFormat format);
    PasswordAsker passwordAskerFor(const QString& path);
    void pieceArrived(const QString& piece);
    void piecesEnded(const QString& error);
    void stopPieces();
    bool writeTo(const QString& path);
    // Where Open and Save As start: the document's folder, else the home folder.
    QString dialogFolder() const;
    void setTitle(const QString& title);

    DocumentView& view_;
    DocumentDialogs& dialogs_;
    DocumentFont& font_;
    DocumentState state_;
    QString loadingPath_;              // the document whose pieces are arriving
    ProgressiveDocumentReader pieces_; // last: its worker ends before the rest goes
};

} // namespace narrix
