#pragma once

#include <string>
#include <string_view>

namespace narrix {

// The speech history, the program's one event log: once a file is named (setSpeechLogPath, from
// NARRIX_SPEECH_LOG at start-up), one JSON object per line is appended to it. Each line is written with a
// single write() on a file opened for appending, so lines of several threads (or processes) never mix. "ms"
// counts milliseconds from the start of the process (processAgeMilliseconds). The kinds and their fields, in
// this order:
//   {"ms":…,"event":"speak","source":N,"title":"…","text":"…"}  a text handed to the engine
//   {"ms":…,"event":"started"}                                  the engine began to speak
//   {"ms":…,"event":"done"}                                     the engine has finished speaking
//   {"ms":…,"event":"error","where":"…","message":"…"}          an error that ended an operation
// Without a file these functions do nothing. Safe to call from any thread.
void speechLogSpeak(int source, std::string_view title, std::string_view text);
void speechLogStarted();
void speechLogDone();
void speechLogError(std::string_view where, std::string_view message);
// Names the log's file; an empty path ends the log. May be changed at any time: the next line goes
// to the new file.
void setSpeechLogPath(const std::string& path);
// True when a log file is named and could be opened.
bool speechLogEnabled();

// JSON string contents for UTF-8 text (without the quotes). Invalid UTF-8 bytes become U+FFFD.
std::string jsonEscape(std::string_view text);

} // namespace narrix
