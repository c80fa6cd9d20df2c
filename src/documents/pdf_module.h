#pragma once

#include "documents/document_pieces.h"
#include "documents/password_asker.h"
#include "platform/program_module.h"

#include <QString>

#include <string>

namespace narrix {

// What the PDF module (libnarrix_pdf.so, pdf_module.cpp) gives the documents: a PDF opened (and
// unlocked, asking `askPassword`) into its pieces, which the caller owns; null with the reason in
// `error` when poppler cannot open it.
using OpenPdfPieces = DocumentPieces*(const QString& path, const PasswordAsker& askPassword,
                                      std::string* error);

inline constexpr const char* kPdfModule = "pdf";
inline constexpr const char* kOpenPdfPieces = "narrix_open_pdf_pieces";

NARRIX_MODULE_FACTORY OpenPdfPieces narrix_open_pdf_pieces;

} // namespace narrix
