#pragma once

#include <QString>
#include <exception>
#include <functional>

namespace narrix {

// The application-wide error hook: an error that escapes an event handler ends that handler and is
// reported here: a warning in the "narrix" logging category and, when NARRIX_SPEECH_LOG names a file,
// an error line in the speech history (base/speech_log.h). No error box is ever shown.
void reportEscapedError(const QString& where, const QString& message);

// Runs `handler`; an exception that escapes it is reported and swallowed. True when it ran to its end.
bool runGuarded(const QString& where, const std::function<void()>& handler);

// Lets tests see what was reported (nullptr restores the default: the warning and the speech history).
using ErrorSink = std::function<void(const QString& where, const QString& message)>;
void setErrorSinkForTesting(ErrorSink sink);

} // namespace narrix
