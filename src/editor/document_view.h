#pragma once

#include "base/rtf_document.h"
#include "settings/settings.h"

#include <QString>
#include <optional>

namespace narrix {

// What the document editor's logic needs from the editor control. The main window's rich-text edit
// implements it; tests use a fake. Positions and lengths count characters as plainText() returns them.
class DocumentView
{
public:
    virtual ~DocumentView() = default;

    // The caption of the title bar above the editor.
    virtual void setTitle(const QString& title) = 0;
    // Rich-text mode takes formatted text (pasting keeps formats); plain-text mode takes text only.
    virtual void setRichTextMode(bool rich) = 0;
    // Empties the editor and gives its default text attributes and the typing position `font`.
    virtual void clear(const DocumentFont& font) = 0;
    virtual void setPlainText(const QString& text) = 0;
    virtual void setRichText(const RtfDocument& document) = 0;
    // A document that arrives in pieces (a PDF or EPUB still being read): `first` as the plain text,
    // then each piece appended at the end, until endGrowingText. None of it is an edit: the modified
    // mark, the caret and the selection stay as they are.
    virtual void setGrowingText(const QString& first) = 0;
    virtual void appendText(const QString& piece) = 0;
    virtual void endGrowingText() = 0;
    virtual QString plainText() const = 0;
    virtual RtfDocument richText() const = 0;
    virtual bool isModified() const = 0;
    virtual void setModified(bool modified) = 0;

    virtual qsizetype selectionStart() const = 0;
    virtual qsizetype selectionLength() const = 0;
    virtual void select(qsizetype start, qsizetype length) = 0;
    // Gives the selected text (or, with none, the typing position) `font`.
    virtual void setSelectionFont(const DocumentFont& font) = 0;
    virtual void beep() = 0;
};

enum class SaveChangesAnswer { Yes, No, Cancel };

// The editor's dialogs. The main window shows them through its modal-dialog seam (which keeps the
// count of open modal dialogs); tests answer them by script.
class DocumentDialogs
{
public:
    virtual ~DocumentDialogs() = default;
    // Caption "Narrix", question icon, Yes/No/Cancel.
    virtual SaveChangesAnswer askSaveChanges(const QString& text) = 0;
    // `filter` in the form "caption|patterns|..."; the dialog starts in `folder`. Empty when cancelled.
    virtual QString openFileName(const QString& filter, const QString& folder) = 0;
    virtual QString saveFileName(const QString& filter, const QString& folder) = 0;
    // The file exists: replace it?
    virtual bool confirmReplace(const QString& path) = 0;
    // A failed open or save: caption "Narrix", exclamation icon.
    virtual void showFileError(const QString& text) = 0;
    // The font dialog filled with `font`; empty when cancelled.
    virtual std::optional<DocumentFont> chooseFont(const DocumentFont& font) = 0;
    // The password of the encrypted document `fileName`, asked again when `wrongBefore`; nothing when
    // cancelled (or nobody can be asked).
    virtual std::optional<QString> askDocumentPassword(const QString& fileName, bool wrongBefore)
    {
        (void)fileName;
        (void)wrongBefore;
        return std::nullopt;
    }
};

} // namespace narrix
