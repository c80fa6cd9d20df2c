#include "base/diagnostics.h"

#include "base/speech_log.h"

namespace narrix {

// Debug messages are off unless QT_LOGGING_RULES turns them on.
Q_LOGGING_CATEGORY(lcNarrix, "narrix", QtInfoMsg)
Q_LOGGING_CATEGORY(lcSpeech, "narrix.speech", QtInfoMsg)
Q_LOGGING_CATEGORY(lcAudio, "narrix.audio", QtInfoMsg)

void reportError(LogCategory category, std::string_view where, std::string_view message)
{
    qCWarning(category).noquote().nospace()
        << "error in " << QString::fromUtf8(where.data(), qsizetype(where.size())) << ": "
        << QString::fromUtf8(message.data(), qsizetype(message.size()));
    speechLogError(where, message);
}

} // namespace narrix
