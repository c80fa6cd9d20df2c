#pragma once

#include "documents/document_format.h"
#include "documents/password_asker.h"
#include "vozozo/input_reader.h"

#include <optional>

namespace narrix {

// A PDF, EPUB, DOCX or ODT file as a document vozozo converts: PDF and EPUB as plain text, DOCX and
// ODT as rich text (written as RTF, so their headings make the chapters). An encrypted PDF asks
// `askPassword` (without one it is refused). Nothing, with "path: reason" in `error`, when it cannot
// be read.
std::optional<VozozoDocument> readDocumentInput(const QString& path, DocumentFormat format,
                                                const PasswordAsker& askPassword, QString* error);

} // namespace narrix
