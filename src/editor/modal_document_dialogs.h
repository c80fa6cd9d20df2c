#pragma once

#include "editor/document_view.h"

namespace narrix {

class ModalDialogs;

// The editor's dialogs shown through the main window's modal-dialog seam.
class ModalDocumentDialogs final : public DocumentDialogs
{
public:
    explicit ModalDocumentDialogs(ModalDialogs& modal) : modal_(modal) {}

    SaveChangesAnswer askSaveChanges(const QString& text) override;
    QString openFileName(const QString& filter, const QString& folder) override;
    QString saveFileName(const QString& filter, const QString& folder) override;
    bool confirmReplace(const QString& path) override;
    void showFileError(const QString& text) override;
    std::optional<DocumentFont> chooseFont(const DocumentFont& font) override;
    std::optional<QString> askDocumentPassword(const QString& fileName, bool wrongBefore) override;

private:
    ModalDialogs& modal_;
};

} // namespace narrix
