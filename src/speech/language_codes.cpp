#include "speech/language_codes.h"

#include <cctype>
#include <string>

namespace narrix {
namespace {

struct LanguageEntry
{
    std::string_view iso;
    int primary;
};

// ISO 639 codes (two or three letters) and the Windows LANG_* values they map to.
constexpr LanguageEntry kLanguages[] = {
    {"ar", 1},  {"bg", 2},   {"ca", 3},   {"zh", 4},   {"cmn", 4},  {"yue", 4},  {"hak", 4},  {"cs", 5},
    {"da", 6},  {"de", 7},   {"el", 8},   {"grc", 8},  {"en", 9},   {"es", 10},  {"fi", 11},  {"fr", 12},
    {"he", 13}, {"hu", 14},  {"is", 15},  {"it", 16},  {"ja", 17},  {"ko", 18},  {"nl", 19},  {"no", 20},
    {"nb", 20}, {"nn", 20},  {"pl", 21},  {"pt", 22},  {"rm", 23},  {"ro", 24},  {"ru", 25},  {"hr", 26},
    {"sr", 26}, {"bs", 26},  {"sk", 27},  {"sq", 28},  {"sv", 29},  {"th", 30},  {"tr", 31},  {"ur", 32},
    {"id", 33}, {"uk", 34},  {"be", 35},  {"sl", 36},  {"et", 37},  {"lv", 38},  {"lt", 39},  {"tg", 40},
    {"fa", 41}, {"vi", 42},  {"hy", 43},  {"az", 44},  {"eu", 45},  {"mk", 47},  {"tn", 50},  {"xh", 52},
    {"zu", 53}, {"af", 54},  {"ka", 55},  {"fo", 56},  {"hi", 57},  {"mt", 58},  {"ga", 60},  {"ms", 62},
    {"kk", 63}, {"ky", 64},  {"sw", 65},  {"tk", 66},  {"uz", 67},  {"tt", 68},  {"bn", 69},  {"pa", 70},
    {"gu", 71}, {"or", 72},  {"ta", 73},  {"te", 74},  {"kn", 75},  {"ml", 76},  {"as", 77},  {"mr", 78},
    {"sa", 79}, {"mn", 80},  {"cy", 82},  {"gl", 86},  {"kok", 87}, {"si", 91},  {"am", 94},  {"ne", 97},
    {"fy", 98}, {"lb", 110}, {"kl", 111}, {"ba", 109}, {"mi", 129}, {"oc", 130}, {"qu", 107}, {"my", 85},
};

} // namespace

int windowsPrimaryLanguage(std::string_view languageTag) noexcept
{
    // Only the primary subtag counts: "en-gb-x-rp" -> "en".
    std::string primary;
    for (char c : languageTag) {
        if (c == '-' || c == '_')
            break;
        primary.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    }
    for (const auto& entry : kLanguages) {
        if (entry.iso == primary)
            return entry.primary;
    }
    return 0;
}

} // namespace narrix
