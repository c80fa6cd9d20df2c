#include "editor/modal_document_dialogs.h"

#include "editor/document_file_types.h"
#include "editor/document_font_qt.h"
#include "plugin/modal_dialogs.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QFontDialog>

namespace narrix {

SaveChangesAnswer ModalDocumentDialogs::askSaveChanges(const QString& text)
{
    switch (modal_.message(QMessageBox::Question, QStringLiteral("Narrix"), text,
                           QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes)) {
    case QMessageBox::Yes:
        return SaveChangesAnswer::Yes;
    case QMessageBox::No:
        return SaveChangesAnswer::No;
    default:
        return SaveChangesAnswer::Cancel;
    }
}

QString ModalDocumentDialogs::openFileName(const QString& filter, const QString& folder)
{
    return modal_.openFileName(QCoreApplication::translate("DocumentDialogs", "Open"), folder,
                               qtFileDialogFilter(filter));
}

QString ModalDocumentDialogs::saveFileName(const QString& filter, const QString& folder)
{
    return modal_.saveFileName(QCoreApplication::translate("DocumentDialogs", "Save As"), folder,
                               qtFileDialogFilter(filter));
}

bool ModalDocumentDialogs::confirmReplace(const QString& path)
{
    return modal_.confirm(
        QCoreApplication::translate("DocumentDialogs", "%1 already exists.\r\nDo you want to replace it?")
            .arg(QFileInfo(path).fileName()));
}

void ModalDocumentDialogs::showFileError(const QString& text)
{
    modal_.refuse(text);
}

std::optional<DocumentFont> ModalDocumentDialogs::chooseFont(const DocumentFont& font)
{
    QFontDialog dialog(qFontFrom(font));
    dialog.setObjectName(QStringLiteral("FontDialog"));
    if (modal_.exec(dialog) != QDialog::Accepted)
        return std::nullopt;
    DocumentFont chosen = documentFontFrom(dialog.selectedFont());
    chosen.charset = font.charset;
    chosen.color = font.color;
    return chosen;
}

std::optional<QString> ModalDocumentDialogs::askDocumentPassword(const QString& fileName, bool wrongBefore)
{
    const QString prompt = (wrongBefore ? QStringLiteral("That password does not open \"%1\".\r\n")
                                        : QStringLiteral("\"%1\" is protected by a password.\r\n"))
                               .arg(fileName) +
                           QStringLiteral("Password:");
    return modal_.inputPassword(prompt);
}

} // namespace narrix
