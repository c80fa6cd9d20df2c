#pragma once

#include <QString>
#include <optional>
#include <string>

namespace narrix {

// Reads what vozozo is asked to convert, as a local channel file is read: the whole file, decoded to
// UTF-8 (byte-order mark, else UTF-8 when valid, else Windows-1252); a ".htm"/".html" file is decoded
// by its <meta> charset too and converted to speech text. An http:// or https:// address that is not
// a file is fetched (through the Proxy and Port settings), decoded from its Content-Type charset and
// converted the same way. Returns nothing and says why in `error` when the input cannot be read.
std::optional<std::string> readVozozoInput(const QString& input, QString* error);

} // namespace narrix
