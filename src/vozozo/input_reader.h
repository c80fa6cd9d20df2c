#pragma once

#include "base/speech_file.h"
#include "documents/password_asker.h"

#include <QString>
#include <cstddef>
#include <optional>
#include <string>

namespace narrix {

// Reads what vozozo is asked to convert, as a local channel file is read: the whole file, decoded to
// UTF-8 (byte-order mark, else UTF-8 when valid, else Windows-1252); a ".htm"/".html" file is decoded
// by its <meta> charset too and converted to speech text. An http:// or https:// address that is not
// a file is fetched (through the Proxy and Port settings), decoded from its Content-Type charset and
// converted the same way. "-" is standard input, read as plain text. A local input (a file, a device,
// a pipe, standard input) is read up to `limit` bytes: anything longer is refused, not truncated.
// Returns nothing and says why in `error` when the input cannot be read.
constexpr std::size_t kVozozoInputLimit = std::size_t{1} << 30;
std::optional<std::string> readVozozoInput(const QString& input, QString* error,
                                           std::size_t limit = kVozozoInputLimit);

// A document as read, before it becomes speech text: the bytes of a file (`kind` by its name) or the
// body of a web page (HTML, with the charset its reply declared). `name` is the file's or page's name
// without extension, for titles.
struct VozozoDocument
{
    SpeechFileKind kind = SpeechFileKind::PlainText;
    std::string bytes;
    std::string charset;
    QString name;
};
// Reads the input as readVozozoInput does, without converting it.
// A PDF, EPUB, DOCX or ODT file is read through the documents readers (see readDocumentInput); an
// encrypted PDF asks `askPassword`.
std::optional<VozozoDocument> readVozozoDocument(const QString& input, QString* error,
                                                 std::size_t limit = kVozozoInputLimit,
                                                 const PasswordAsker& askPassword = {});
// The speech text of a document read so; nothing, with the reader's reason in `error`, for malformed
// rich text.
std::optional<std::string> speechTextOfDocument(const VozozoDocument& document, QString* error);
// The document as UTF-8 HTML or plain text (rich text is not decoded: see rtf_chapters).
std::string decodedDocumentText(const VozozoDocument& document);

// Whether `output` names the very file `input` is read from (the same file system object, whatever
// the name or link leading to it); "-" as input is standard input.
bool outputIsInput(const QString& input, const QString& output);

} // namespace narrix
