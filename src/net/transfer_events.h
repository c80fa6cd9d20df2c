#pragma once

#include <QObject>
#include <QString>

namespace narrix::net {

// What a status event reports; the text says it in words ("Connected.", "Chunk Started", ...).
enum class TransferStatus { Resolving, Connecting, Connected, Disconnecting, Disconnected, Text };

// Whether a work event is about reading (receiving a body) or writing.
enum class WorkMode { Read, Write };

} // namespace narrix::net
