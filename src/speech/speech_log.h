#pragma once

#include <string>
#include <string_view>

namespace narrix {

// The speech history: with NARRIX_SPEECH_LOG=PATH set, one JSON object per line is appended to PATH
// for each text handed to the engine, each speaking-started and speaking-done event, and each error
// the program reports. "ms" counts milliseconds from the start of the process. Without the variable
// these functions do nothing. Safe to call from any thread.
void speechLogSpeak(int source, std::string_view title, std::string_view text);
void speechLogStarted();
void speechLogDone();
void speechLogError(std::string_view text);
// True when NARRIX_SPEECH_LOG names a log that could be opened.
bool speechLogEnabled();

// JSON string contents for UTF-8 text (without the quotes). Invalid UTF-8 bytes become U+FFFD.
std::string jsonEscape(std::string_view text);

// Milliseconds since the process started.
long long millisecondsSinceProcessStart();

} // namespace narrix
