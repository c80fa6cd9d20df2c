#pragma once

#include "base/rtf_document.h"
#include "documents/password_asker.h"

#include <QString>
#include <variant>

namespace narrix {

// What reading a document file gave: rich text for ".rtf", else plain text (HTML already converted).
struct DocumentContent
{
    bool richText = false;
    RtfDocument rich;
    QString plain; // line breaks as "\n"
};

// Reads the document at `path` as its extension says: ".rtf" with the RTF reader, ".htm"/".html"
// decoded from their charset and turned into plain text with HtmlToPlainText, anything else as plain
// text in its encoding (byte-order mark, else UTF-8, else Windows-1252). CR LF and CR become "\n".
// On failure returns false with `*error` saying why ("No such file or directory", "byte 12: ...").
// PDF, EPUB, DOCX and ODT go through the documents readers (DOCX and ODT as rich text); an encrypted
// PDF asks `askPassword`.
bool readDocumentFile(const QString& path, DocumentContent* content, QString* error,
                      const PasswordAsker& askPassword = {});

// Writes the document's bytes through a temporary file, so a failed save leaves the old file whole.
// The file keeps the permissions of the one it replaces; a new one gets those the umask allows.
bool writeDocumentFile(const QString& path, const std::string& bytes, QString* error);

// Plain text as it is saved: UTF-8.
std::string plainDocumentBytes(const QString& text);

} // namespace narrix
