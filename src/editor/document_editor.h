#pragma once

#include "editor/document_search.h"
#include "editor/document_view.h"
#include "settings/settings.h"

#include <QString>

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

private:
    bool writeTo(const QString& path);
    // Where Open and Save As start: the document's folder, else the home folder.
    QString dialogFolder() const;
    void setTitle(const QString& title);

    DocumentView& view_;
    DocumentDialogs& dialogs_;
    DocumentFont& font_;
    DocumentState state_;
};

} // namespace narrix
