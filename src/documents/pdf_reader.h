#pragma once

#include "documents/password_asker.h"

#include <QString>

#include <string>

namespace narrix {

// The text of a PDF through poppler, page by page in poppler's reading order (columns one after
// the other), running headers, footers and page numbers left out, words hyphenated at line ends
// joined; pages are separated by an empty line. An encrypted PDF asks `askPassword` (up to three
// times; without an asker it is refused). False with the reason in `error`: a file poppler cannot
// parse, a password not given or wrong, or "This PDF has no text to read." for a PDF without a text
// layer (a scan).
bool readPdf(const QString& path, const PasswordAsker& askPassword, std::string* text, std::string* error);

// The message for a PDF without a text layer.
inline constexpr const char* kPdfWithoutText = "This PDF has no text to read.";

} // namespace narrix
