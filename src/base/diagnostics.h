#pragma once

#include <QLoggingCategory>
#include <string_view>

namespace narrix {

// The program's diagnostics on stderr go through Qt's logging categories, so QT_LOGGING_RULES and
// QT_MESSAGE_PATTERN work as in any Qt program (Qt's default pattern prefixes the category name):
//   narrix         the program itself: escaped errors, start-up, files it cannot write
//   narrix.speech  the engine, its voices and the reading commands
//   narrix.audio   the sound device; debug messages (off by default) report buffer sizes and underruns
Q_DECLARE_LOGGING_CATEGORY(lcNarrix)
Q_DECLARE_LOGGING_CATEGORY(lcSpeech)
Q_DECLARE_LOGGING_CATEGORY(lcAudio)

// An error that ended an operation: a warning "error in WHERE: MESSAGE" in `category` and an error
// line in the speech history. Texts are UTF-8.
using LogCategory = const QLoggingCategory& (*)();
void reportError(LogCategory category, std::string_view where, std::string_view message);

} // namespace narrix
