#pragma once

#include <QString>
#include <optional>

namespace narrix {

// The language name shown for a voice: by the primary language code (the low 10 bits of the
// engine's language identifier). Codes without a name give nothing, and the label keeps its text.
std::optional<QString> voiceLanguageName(int languageId);

// 1 "Female", 2 "Male", anything else "Neutral".
QString voiceGenderName(int gender);

} // namespace narrix
