#pragma once

#include "editor/document_editor.h"
#include "editor/find_dialog.h"
#include "editor/modal_document_dialogs.h"
#include "editor/text_edit_document_view.h"

#include <QObject>
#include <QPointer>
#include <functional>

class QTextEdit;

namespace narrix {

class ModalDialogs;
struct MainActions;

// Connects the editor RTFB and the File, Edit and View commands to the document editor's logic.
class DocumentEditorController : public QObject
{
    Q_OBJECT
public:
    DocumentEditorController(QTextEdit& editor, const MainActions& actions, ModalDialogs& modal,
                             DocumentFont& font, std::function<void(const QString&)> setTitle,
                             QObject* parent = nullptr);
    ~DocumentEditorController() override;

    DocumentEditor& logic() { return editor_; }
    const TextEditDocumentView& view() const { return view_; }
    // Find is enabled only while the editor holds text (run when idle).
    void updateActions();
    FindDialog* findDialog() const { return findDialog_; }

protected:
    // Select All typed in the editor first takes in the rest of a document still being read.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A document still arriving is read to its end and put into the editor.
    void completeDocument();
    void showFindDialog();
    // The selected text's area in global coordinates.
    QRect selectionOnScreen() const;

    QTextEdit& widget_;
    const MainActions& actions_;
    TextEditDocumentView view_;
    ModalDocumentDialogs dialogs_;
    DocumentEditor editor_;
    QPointer<FindDialog> findDialog_;
};

} // namespace narrix
