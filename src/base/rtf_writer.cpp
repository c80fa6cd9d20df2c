#include "base/rtf_writer.h"

#include "base/utf8.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

namespace narrix {
namespace {

void appendUnit(std::string& out, unsigned unit)
{
    const int signedUnit = unit > 32767 ? static_cast<int>(unit) - 65536 : static_cast<int>(unit);
    out += "\\u";
    out += std::to_string(signedUnit);
    // The fallback "?" as an escape of its own: readers that skip the fallback by token rather than
    // by character then do not swallow the text after it.
    out += "\\'3f";
}

void appendEscaped(std::string& out, std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x80) {
            std::size_t length = 1;
            const char32_t code = decodeUtf8At(text, i, &length);
            i += length;
            if (code >= 0x10000) {
                appendUnit(out, 0xD800 + ((code - 0x10000) >> 10));
                appendUnit(out, 0xDC00 + ((code - 0x10000) & 0x3FF));
            } else {
                appendUnit(out, code);
            }
            continue;
        }
        ++i;
        switch (c) {
        case '\\':
        case '{':
        case '}':
            out += '\\';
            out += static_cast<char>(c);
            break;
        case '\n':
            out += "\\par\n";
            break;
        case '\t':
            out += "\\tab ";
            break;
        default:
            if (c >= 0x20)
                out += static_cast<char>(c);
        }
    }
}

std::string colorWords(std::uint32_t rgb)
{
    return "\\red" + std::to_string((rgb >> 16) & 0xFF) + "\\green" + std::to_string((rgb >> 8) & 0xFF) +
           "\\blue" + std::to_string(rgb & 0xFF) + ";";
}

} // namespace

std::string WriteRtf(const RtfDocument& document, const std::string& defaultFont)
{
    std::vector<RtfFont> fonts = document.fonts;
    if (fonts.empty())
        fonts.push_back(RtfFont{defaultFont});
    // Colour table: index 0 is the automatic colour, then each colour in order of first use.
    std::vector<std::uint32_t> colors;
    std::size_t textSize = 0;
    for (const RtfRun& run : document.runs) {
        textSize += run.text.size();
        if (run.format.color && std::find(colors.begin(), colors.end(), *run.format.color) == colors.end())
            colors.push_back(*run.format.color);
    }

    std::string out;
    out.reserve(textSize + textSize / 8 + 256 + document.runs.size() * 32);
    out += "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n{\\fonttbl";
    for (std::size_t f = 0; f < fonts.size(); ++f) {
        out += "{\\f" + std::to_string(f) + "\\fnil\\fcharset0 ";
        appendEscaped(out, fonts[f].name);
        out += ";}";
    }
    out += "}\n{\\colortbl ;";
    for (const std::uint32_t rgb : colors)
        out += colorWords(rgb);
    out += "}\n\\viewkind4\\pard\\plain\n";

    for (const RtfRun& run : document.runs) {
        const RtfTextFormat& f = run.format;
        const int font = f.font >= 0 && static_cast<std::size_t>(f.font) < fonts.size() ? f.font : 0;
        std::size_t color = 0;
        if (f.color)
            color =
                static_cast<std::size_t>(std::find(colors.begin(), colors.end(), *f.color) - colors.begin()) +
                1;
        out += "\\plain\\f" + std::to_string(font) + "\\fs" + std::to_string(std::max(f.halfPoints, 1)) +
               "\\cf" + std::to_string(color);
        if (f.bold)
            out += "\\b";
        if (f.italic)
            out += "\\i";
        if (f.underline)
            out += "\\ul";
        if (f.strikeOut)
            out += "\\strike";
        out += ' ';
        appendEscaped(out, run.text);
    }
    out += "}\n";
    return out;
}

} // namespace narrix
