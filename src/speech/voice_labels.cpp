#include "speech/voice_labels.h"

#include <array>

namespace narrix {
namespace {

// Indexed by the primary language code; null where a code has no name.
constexpr std::array<const char*, 57> kLanguages = {
    "Neutral",    "Arabic",     "Bulgarian",
    "Catalan",    "Chinese",    "Czech",
    "Danish",     "German",     "Greek",
    "English",    "Spanish",    "Finnish",
    "French",     "Hebrew",     "Hungarian",
    "Icelandic",  "Italian",    "Japanese",
    "Korean",     "Dutch",      "Norwegian",
    "Polish",     "Portuguese", nullptr,
    "Romanian",   "Russian",    "Croatian/Serbian",
    "Slovak",     "Albanian",   "Swedish",
    "Thai",       "Turkish",    nullptr,
    "Indonesian", "Ukrainian",  "Belarusian",
    "Slovenian",  "Estonian",   "Latvian",
    "Lithuanian", nullptr,      "Farsi",
    "Vietnamese", nullptr,      nullptr,
    "Basque",     nullptr,      nullptr,
    nullptr,      nullptr,      nullptr,
    nullptr,      nullptr,      nullptr,
    "Afrikaans",  nullptr,      "Faeroese",
};

} // namespace

std::optional<QString> voiceLanguageName(int languageId)
{
    const int code = languageId & 0x3ff;
    if (code >= static_cast<int>(kLanguages.size()) || kLanguages[static_cast<std::size_t>(code)] == nullptr)
        return std::nullopt;
    return QString::fromLatin1(kLanguages[static_cast<std::size_t>(code)]);
}

QString voiceGenderName(int gender)
{
    switch (gender) {
    case 1:
        return QStringLiteral("Female");
    case 2:
        return QStringLiteral("Male");
    default:
        return QStringLiteral("Neutral");
    }
}

} // namespace narrix
