#pragma once

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

// Whether `output` names the very file `input` is read from (the same file system object, whatever
// the name or link leading to it); "-" as input is standard input.
bool outputIsInput(const QString& input, const QString& output);

} // namespace narrix
