#pragma once

#include <string>
#include <string_view>

namespace narrix {

// The speech history, the program's one event log: with NARRIX_SPEECH_LOG=PATH set, one JSON object
// per line is appended to PATH. Each line is written with a single write() on a file opened for
// appending, so lines of several threads (or processes) never mix. "ms" counts milliseconds from the
// start of the process (processAgeMilliseconds). The kinds and their fields, in this order:
//   {"ms":…,"event":"speak","source":N,"title":"…","text":"…"}  a text handed to the engine
//   {"ms":…,"event":"started"}                                  the engine began to speak
//   {"ms":…,"event":"done"}                                     the engine has finished speaking
//   {"ms":…,"event":"error","where":"…","message":"…"}          an error that ended an operation
// Without the variable these functions do nothing. Safe to call from any thread.
void speechLogSpeak(int source, std::string_view title, std::string_view text);
void speechLogStarted();
void speechLogDone();
void speechLogError(std::string_view where, std::string_view message);
// True when NARRIX_SPEECH_LOG names a log that could be opened. The variable is looked at again on
// every call, so a test (or a program) may set or change it at any time.
bool speechLogEnabled();

// JSON string contents for UTF-8 text (without the quotes). Invalid UTF-8 bytes become U+FFFD.
std::string jsonEscape(std::string_view text);

} // namespace narrix
