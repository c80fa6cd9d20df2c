#pragma once

#include "base/rtf_document.h"
#include "documents/document_format.h"
#include "documents/password_asker.h"
#include "documents/zip_archive.h"

#include <optional>
#include <string>
#include <string_view>

namespace narrix {

// What a document gave: the editor's rich text (DOCX and ODT keep headings, bold and italic; PDF
// and EPUB are one plain run). Line breaks are "\n", table cells "\t".
struct DocumentText
{
    RtfDocument rich;
    bool richText = false; // the runs carry formatting worth showing
};

struct DocumentReadOptions
{
    PasswordAsker askPassword; // for an encrypted PDF; none refuses it
    ZipLimits zipLimits;
};

// Reads the document at `path` as `format`. False with the reason in `error` (a sentence the
// caller shows after the file's name).
bool readDocument(const std::string& path, DocumentFormat format, const DocumentReadOptions& options,
                  DocumentText* text, std::string* error);

// Reads the members of a zip-based document (EPUB, DOCX, ODT) as readDocument reads its file.
bool readArchiveDocument(ArchiveMembers& members, DocumentFormat format, DocumentText* text,
                         std::string* error);

// Reads a zip-based document (EPUB, DOCX, ODT) held in memory, as readDocument reads the file.
bool readZipDocument(std::string_view bytes, DocumentFormat format, const ZipLimits& limits,
                     DocumentText* text, std::string* error);

// The document's text for speech: its runs' text joined. Nothing, with the reason, when it cannot
// be read.
std::optional<std::string> readDocumentSpeechText(const std::string& path, DocumentFormat format,
                                                  const DocumentReadOptions& options, std::string* error);

} // namespace narrix
