#include "documents/pdf_reader.h"

#include "documents/pdf_module.h"

#include <QFileInfo>

namespace narrix {

std::unique_ptr<DocumentPieces> openPdfPieces(const QString& path, const PasswordAsker& askPassword,
                                              std::string* error)
{
    if (!QFileInfo(path).isFile()) {
        *error = QFileInfo::exists(path) ? "is a folder, not a file" : "No such file or directory";
        return nullptr;
    }
    // poppler lives in a module of its own, opened the first time a PDF is read.
    QString reason;
    OpenPdfPieces* open =
        programModuleFactory<OpenPdfPieces>(QString::fromLatin1(kPdfModule), kOpenPdfPieces, &reason);
    if (open == nullptr) {
        *error = "PDF reading is not available: " + reason.toStdString();
        return nullptr;
    }
    return std::unique_ptr<DocumentPieces>(open(path, askPassword, error));
}

bool readPdf(const QString& path, const PasswordAsker& askPassword, std::string* text, std::string* error)
{
    const std::unique_ptr<DocumentPieces> pieces = openPdfPieces(path, askPassword, error);
    return pieces && readAllPieces(*pieces, text, error);
}

} // namespace narrix
