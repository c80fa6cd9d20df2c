#pragma once

#include <QString>
#include <exception>
#include <functional>

namespace narrix {

// The application-wide error hook: an error that escapes an event handler ends that handler and is
// reported here. It is written to stderr and, when NARRIX_SPEECH_LOG names a file, appended to the
// speech log as {"ms":…,"event":"error","where":"…","message":"…"}. No error box is ever shown.
void reportEscapedError(const QString& where, const QString& message);

// Runs `handler`; an exception that escapes it is reported and swallowed. True when it ran to its end.
bool runGuarded(const QString& where, const std::function<void()>& handler);

// Lets tests see what was reported (nullptr restores the default: stderr and the speech log).
using ErrorSink = std::function<void(const QString& where, const QString& message)>;
void setErrorSinkForTesting(ErrorSink sink);

// JSON string contents for a text (quotes, backslashes and control characters escaped).
QString jsonEscaped(const QString& text);

} // namespace narrix
