#include "base/rtf_control_words.h"

#include <array>

namespace narrix {

bool isRtfSkippedDestination(std::string_view word)
{
    static constexpr std::array<std::string_view, 32> words{"stylesheet",
                                                            "info",
                                                            "pict",
                                                            "fldinst",
                                                            "header",
                                                            "headerl",
                                                            "headerr",
                                                            "headerf",
                                                            "footer",
                                                            "footerl",
                                                            "footerr",
                                                            "footerf",
                                                            "footnote",
                                                            "annotation",
                                                            "atnid",
                                                            "atnauthor",
                                                            "objdata",
                                                            "objclass",
                                                            "objname",
                                                            "xe",
                                                            "tc",
                                                            "txe",
                                                            "rxe",
                                                            "template",
                                                            "listtable",
                                                            "listoverridetable",
                                                            "revtbl",
                                                            "rsidtbl",
                                                            "nonshppict",
                                                            "themedata",
                                                            "colorschememapping",
                                                            "datastore"};
    for (std::string_view skipped : words)
        if (word == skipped)
            return true;
    return false;
}

char32_t rtfSpecialCharacter(std::string_view word)
{
    struct Entry
    {
        std::string_view word;
        char32_t code;
    };
    static constexpr std::array<Entry, 14> entries{{{"emdash", 0x2014},
                                                    {"endash", 0x2013},
                                                    {"emspace", 0x2003},
                                                    {"enspace", 0x2002},
                                                    {"qmspace", 0x2005},
                                                    {"bullet", 0x2022},
                                                    {"lquote", 0x2018},
                                                    {"rquote", 0x2019},
                                                    {"ldblquote", 0x201C},
                                                    {"rdblquote", 0x201D},
                                                    {"zwj", 0x200D},
                                                    {"zwnj", 0x200C},
                                                    {"ltrmark", 0x200E},
                                                    {"rtlmark", 0x200F}}};
    for (const Entry& entry : entries)
        if (entry.word == word)
            return entry.code;
    return 0;
}

} // namespace narrix
