#pragma once

#include "documents/document_format.h"

#include <memory>
#include <optional>
#include <string>

namespace narrix {

struct DocumentReadOptions;

// A long document's plain text in pieces, first pages (or chapters) first, so a reader can show and
// speak the beginning while the rest is still being extracted. The pieces joined are the whole text,
// separators included. One thread at a time uses a source.
class DocumentPieces
{
public:
    virtual ~DocumentPieces() = default;
    // The next piece; nothing when the document is done, or, with the reason in `error`, when it
    // cannot be read further.
    virtual std::optional<std::string> next(std::string* error) = 0;
};

// PDF and EPUB are read in pieces; the other formats are read whole.
bool readsInPieces(DocumentFormat format);

// Opens the PDF or EPUB at `path` (an encrypted PDF asks `options.askPassword` here, on the calling
// thread). Nothing, with the reason in `error`, when it cannot be opened.
std::unique_ptr<DocumentPieces> openDocumentPieces(const std::string& path, DocumentFormat format,
                                                   const DocumentReadOptions& options, std::string* error);

// Every piece joined: the whole text.
bool readAllPieces(DocumentPieces& pieces, std::string* text, std::string* error);

} // namespace narrix
