#include "documents/document_pieces.h"

#include "documents/document_reader.h"
#include "documents/epub_reader.h"
#include "documents/pdf_reader.h"

namespace narrix {

bool readsInPieces(DocumentFormat format)
{
    return format == DocumentFormat::Pdf || format == DocumentFormat::Epub;
}

std::unique_ptr<DocumentPieces> openDocumentPieces(const std::string& path, DocumentFormat format,
                                                   const DocumentReadOptions& options, std::string* error)
{
    error->clear();
    switch (format) {
    case DocumentFormat::Pdf:
        return openPdfPieces(QString::fromStdString(path), options.askPassword, error);
    case DocumentFormat::Epub: {
        std::unique_ptr<ZipArchive> archive = ZipArchive::openFile(path, error, options.zipLimits);
        return archive ? openEpubPieces(std::move(archive), error) : nullptr;
    }
    case DocumentFormat::Docx:
    case DocumentFormat::Odt:
        break;
    }
    *error = "this kind of document is read whole";
    return nullptr;
}

bool readAllPieces(DocumentPieces& pieces, std::string* text, std::string* error)
{
    text->clear();
    error->clear();
    while (std::optional<std::string> piece = pieces.next(error))
        text->append(*piece);
    return error->empty();
}

} // namespace narrix
