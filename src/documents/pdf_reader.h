#pragma once

#include "documents/document_pieces.h"
#include "documents/password_asker.h"

#include <QString>

#include <memory>
#include <string>

namespace narrix {

// The text of a PDF through poppler, page by page in poppler's reading order (columns one after
// the other), running headers, footers and page numbers left out, words hyphenated at line ends
// joined; pages are separated by an empty line. An encrypted PDF asks `askPassword` (up to three
// times; without an asker it is refused). False with the reason in `error`: a file poppler cannot
// parse, a password not given or wrong, or "This PDF has no text to read." for a PDF without a text
// layer (a scan).
bool readPdf(const QString& path, const PasswordAsker& askPassword, std::string* text, std::string* error);

// The same text in pieces of a few dozen pages, the first ready after about 16 pages are read. The
// document is opened (and unlocked) here; the pieces may then be taken on another thread.
std::unique_ptr<DocumentPieces> openPdfPieces(const QString& path, const PasswordAsker& askPassword,
                                              std::string* error);

// The message for a PDF without a text layer.
inline constexpr const char* kPdfWithoutText = "This PDF has no text to read.";

} // namespace narrix
