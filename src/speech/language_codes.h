#pragma once

#include <string_view>

namespace narrix {

// Maps a voice's language tag ("en-us", "de", "pt-BR", "cmn") to the Windows primary language
// identifier that the engine reports for a mode (English 9, German 7, French 12, ...).
// Unknown languages give 0 (neutral).
int windowsPrimaryLanguage(std::string_view languageTag) noexcept;

} // namespace narrix
