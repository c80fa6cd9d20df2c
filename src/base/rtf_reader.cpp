#include "base/rtf_reader.h"

#include "base/hex_digit.h"
#include "base/rtf_code_pages.h"
#include "base/rtf_control_words.h"
#include "base/utf8.h"

#include <algorithm>
#include <cstdint>
#include <map>
#include <vector>

namespace narrix {
namespace {

// Control words longer than this are not RTF (the format allows 32 letters).
constexpr std::size_t kMaxWordLength = 32;
// Parameters are 16- or 32-bit; more digits than this are malformed.
constexpr std::size_t kMaxDigits = 10;

enum class Destination : std::uint8_t { Text, Skip, FontTable, ColorTable };

struct GroupState
{
    RtfTextFormat format;
    Destination destination = Destination::Text;
    int codePage = 1252;  // of "\'hh" and 8-bit text here
    int fallbackSkip = 1; // \ucN
    bool hidden = false;  // \v
    bool starred = false; // "\*" seen: an unknown destination word makes the group skipped
};

bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

class RtfParser
{
public:
    RtfParser(std::string_view input, RtfDocument* document, std::string* plain)
        : in_(input), document_(document), plain_(plain)
    {
    }

    bool run(RtfError* error);

private:
    bool fail(std::size_t offset, std::string message)
    {
        error_.offset = offset;
        error_.message = std::move(message);
        return false;
    }

    bool parseBody();
    bool controlWord();
    bool controlSymbol();
    void applyWord(std::string_view word, bool hasParameter, long parameter);
    void openGroup();
    void closeGroup();

    // Text output.
    void emitText(std::string_view utf8);
    void emitCharacter(char32_t code);
    void emitByte(char byte);
    void flushBytes();
    void endRow();
    bool skippingFallback();

    // Font and colour tables.
    void fontTableText(std::string_view bytes);
    void colorTableText(std::string_view bytes);
    int fontCodePage(int fontId) const;
    int tableFontCodePage() const;

    GroupState& state() { return stack_.back(); }

    std::string_view in_;
    std::size_t pos_ = 0;
    RtfDocument* document_;
    std::string* plain_;
    RtfError error_;

    std::vector<GroupState> stack_;
    int documentCodePage_ = 1252;
    int defaultFontId_ = 0;
    long pendingFallback_ = 0; // characters of a \u fallback still to skip
    char16_t highSurrogate_ = 0;

    // 8-bit text waiting to be decoded in its code page (a double-byte character may span escapes).
    std::string bytes_;
    int bytesCodePage_ = 1252;
    std::string decoded_;

    // Font table: \fN id -> index into document fonts, the code page of each id.
    struct FontEntry
    {
        int index = -1;
        int codePage = 0; // 0: the document's
    };
    std::map<int, FontEntry> fonts_;
    int tableFontId_ = -1;
    int tableFontCharset_ = -1;
    int tableFontCodePage_ = 0;
    std::string tableFontName_; // bytes in the font's code page
    std::string tableFontUtf8_; // the part of the name before its last \u
    // Colour table.
    std::vector<std::optional<std::uint32_t>> colors_;
    int red_ = -1, green_ = -1, blue_ = -1;

    CodePageDecoders decoders_;
};

bool RtfParser::run(RtfError* error)
{
    std::size_t start = 0;
    if (in_.starts_with("\xEF\xBB\xBF"))
        start = 3;
    while (start < in_.size() &&
           (in_[start] == ' ' || in_[start] == '\t' || in_[start] == '\r' || in_[start] == '\n'))
        ++start;
    bool ok = true;
    if (in_.substr(start, 5) != "{\\rtf") {
        ok = fail(start, "not a rich-text file: it does not begin with {\\rtf");
    } else {
        pos_ = start;
        ok = parseBody();
    }
    if (!ok && error)
        *error = error_;
    return ok;
}

bool RtfParser::parseBody()
{
    const std::size_t n = in_.size();
    while (pos_ < n) {
        const char c = in_[pos_];
        switch (c) {
        case '{':
            flushBytes();
            if (static_cast<int>(stack_.size()) >= kMaxRtfDepth)
                return fail(pos_, "groups nested deeper than " + std::to_string(kMaxRtfDepth) + " levels");
            ++pos_;
            openGroup();
            break;
        case '}':
            flushBytes();
            ++pos_;
            closeGroup();
            if (stack_.empty())
                return true; // the document's group is closed; anything after it is not read
            break;
        case '\\':
            if (!(pos_ + 1 < n && isLetter(in_[pos_ + 1]) ? controlWord() : controlSymbol()))
                return false;
            break;
        case '\r':
        case '\n':
            ++pos_;
            break;
        default: {
            if (stack_.empty())
                return fail(pos_, "text outside the document's group");
            // A run of plain characters at once.
            std::size_t end = pos_;
            while (end < n && in_[end] != '{' && in_[end] != '}' && in_[end] != '\\' && in_[end] != '\r' &&
                   in_[end] != '\n')
                ++end;
            const std::string_view chunk = in_.substr(pos_, end - pos_);
            pos_ = end;
            std::size_t i = 0;
            while (pendingFallback_ > 0 && i < chunk.size()) {
                --pendingFallback_;
                ++i;
            }
            GroupState& s = state();
            if (s.destination == Destination::FontTable) {
                fontTableText(chunk.substr(i));
                break;
            }
            if (s.destination == Destination::ColorTable) {
                colorTableText(chunk.substr(i));
                break;
            }
            for (; i < chunk.size(); ++i) {
                const char ch = chunk[i];
                const auto u = static_cast<unsigned char>(ch);
                if (u >= 0x20 && u < 0x80 && bytes_.empty()) {
                    // ASCII: the longest stretch goes out in one piece.
                    std::size_t j = i;
                    while (j < chunk.size() && static_cast<unsigned char>(chunk[j]) >= 0x20 &&
                           static_cast<unsigned char>(chunk[j]) < 0x80)
                        ++j;
                    emitText(chunk.substr(i, j - i));
                    i = j - 1;
                } else if (ch == '\t') {
                    flushBytes();
                    emitText("\t");
                } else if (u >= 0x20) {
                    emitByte(ch);
                }
                // Other control characters carry nothing.
            }
            break;
        }
        }
    }
    return fail(n, "the file ends before " + std::to_string(stack_.size()) + " group(s) are closed");
}

void RtfParser::openGroup()
{
    if (stack_.empty()) {
        stack_.emplace_back();
    } else {
        GroupState copy = state();
        copy.starred = false;
        stack_.push_back(copy);
    }
    pendingFallback_ = 0;
}

void RtfParser::closeGroup()
{
    const Destination destination = state().destination;
    if (destination == Destination::FontTable && tableFontId_ >= 0)
        fontTableText(";"); // an entry without its closing ";"
    stack_.pop_back();
    pendingFallback_ = 0;
    if (!stack_.empty() && destination == Destination::FontTable &&
        state().destination != Destination::FontTable) {
        // The table is complete: the default font's code page applies from here.
        state().format.font = fonts_.count(defaultFontId_) ? fonts_[defaultFontId_].index : -1;
        state().codePage = fontCodePage(defaultFontId_);
    }
}

bool RtfParser::controlWord()
{
    const std::size_t start = pos_;
    std::size_t i = pos_ + 1;
    const std::size_t n = in_.size();
    while (i < n && isLetter(in_[i]))
        ++i;
    if (i - start - 1 > kMaxWordLength)
        return fail(start, "a control word longer than 32 letters");
    const std::string_view word = in_.substr(start + 1, i - start - 1);
    bool hasParameter = false;
    bool negative = false;
    long parameter = 0;
    if (i < n && in_[i] == '-' && i + 1 < n && isDigit(in_[i + 1])) {
        negative = true;
        ++i;
    }
    const std::size_t digitsStart = i;
    while (i < n && isDigit(in_[i])) {
        parameter = parameter * 10 + (in_[i] - '0');
        ++i;
        if (i - digitsStart > kMaxDigits)
            return fail(start, "a control word's number has more than 10 digits");
    }
    hasParameter = i > digitsStart;
    if (negative)
        parameter = -parameter;
    if (i < n && in_[i] == ' ')
        ++i; // the blank that ends a control word is part of it
    pos_ = i;

    if (word == "bin") {
        flushBytes();
        const long length = hasParameter ? parameter : 0;
        if (length < 0 || static_cast<std::size_t>(length) > n - pos_)
            return fail(start, "binary data runs past the end of the file");
        pos_ += static_cast<std::size_t>(length);
        if (pendingFallback_ > 0)
            --pendingFallback_;
        return true;
    }
    if (stack_.empty())
        return fail(start, "a control word outside the document's group");
    if (skippingFallback())
        return true;
    flushBytes();
    applyWord(word, hasParameter, parameter);
    return true;
}

bool RtfParser::controlSymbol()
{
    const std::size_t start = pos_;
    if (pos_ + 1 >= in_.size())
        return fail(start, "the file ends after a backslash");
    const char symbol = in_[pos_ + 1];
    pos_ += 2;
    if (stack_.empty())
        return fail(start, "a control symbol outside the document's group");
    if (symbol == '\'') {
        if (pos_ + 2 > in_.size() || hexValue(in_[pos_]) < 0 || hexValue(in_[pos_ + 1]) < 0)
            return fail(start, "\\' is not followed by two hexadecimal digits");
        const char byte = static_cast<char>(hexValue(in_[pos_]) * 16 + hexValue(in_[pos_ + 1]));
        pos_ += 2;
        if (skippingFallback())
            return true;
        const Destination destination = state().destination;
        if (destination == Destination::FontTable)
            fontTableText(std::string_view(&byte, 1));
        else if (destination == Destination::Text)
            emitByte(byte);
        return true;
    }
    if (skippingFallback())
        return true;
    flushBytes();
    GroupState& s = state();
    switch (symbol) {
    case '*':
        s.starred = true;
        return true;
    case '\\':
    case '{':
    case '}': {
        const char literal[1] = {symbol};
        if (s.destination == Destination::FontTable)
            fontTableText(std::string_view(literal, 1));
        else
            emitText(std::string_view(literal, 1));
        return true;
    }
    case '~':
        emitCharacter(0x00A0);
        return true;
    case '_':
        emitCharacter(0x2011);
        return true;
    case '\r':
    case '\n':
        applyWord("par", false, 0);
        return true;
    case '\t':
        emitText("\t");
        return true;
    default:
        return true; // \- (optional hyphen), \| and \: (index entries), unknown symbols: nothing
    }
}

bool RtfParser::skippingFallback()
{
    if (pendingFallback_ <= 0)
        return false;
    --pendingFallback_;
    return true;
}

void RtfParser::applyWord(std::string_view word, bool hasParameter, long parameter)
{
    GroupState& s = state();
    const bool on = !hasParameter || parameter != 0;
    const int value = static_cast<int>(std::clamp<long>(parameter, -2147483647L, 2147483647L));

    // Destinations.
    if (word == "fonttbl") {
        s.destination = Destination::FontTable;
        tableFontId_ = -1;
        return;
    }
    if (word == "colortbl") {
        s.destination = Destination::ColorTable;
        red_ = green_ = blue_ = -1;
        return;
    }
    // A destination marked "\*" that is not read above holds nothing to show.
    if (s.starred || isRtfSkippedDestination(word)) {
        s.destination = Destination::Skip;
        return;
    }
    if (s.destination == Destination::Skip)
        return;

    // Unicode.
    if (word == "uc") {
        s.fallbackSkip = std::max(0, value);
        return;
    }
    if (word == "u") {
        int unit = value;
        if (unit < 0)
            unit += 65536;
        unit &= 0xFFFF;
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            if (highSurrogate_ != 0)
                emitCharacter(0xFFFD);
            highSurrogate_ = static_cast<char16_t>(unit);
        } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
            const char16_t high = highSurrogate_;
            highSurrogate_ = 0;
            emitCharacter(high != 0 ? 0x10000 + ((char32_t(high) - 0xD800) << 10) + (char32_t(unit) - 0xDC00)
                                    : 0xFFFD);
        } else {
            emitCharacter(static_cast<char32_t>(unit));
        }
        pendingFallback_ = s.fallbackSkip;
        return;
    }

    if (s.destination == Destination::FontTable) {
        if (word == "f" && hasParameter) {
            tableFontId_ = value;
            tableFontCharset_ = -1;
            tableFontCodePage_ = 0;
            tableFontName_.clear();
            tableFontUtf8_.clear();
        } else if (word == "fcharset") {
            tableFontCharset_ = value;
        } else if (word == "cpg") {
            tableFontCodePage_ = value;
        }
        return;
    }
    if (s.destination == Destination::ColorTable) {
        if (word == "red")
            red_ = value & 0xFF;
        else if (word == "green")
            green_ = value & 0xFF;
        else if (word == "blue")
            blue_ = value & 0xFF;
        return;
    }

    // Document-wide settings.
    if (word == "ansicpg" && hasParameter && value > 0) {
        documentCodePage_ = value;
        s.codePage = value;
        return;
    }
    if (word == "ansi" || word == "mac" || word == "pc" || word == "pca") {
        documentCodePage_ = word == "ansi" ? 1252 : word == "mac" ? 10000 : word == "pc" ? 437 : 850;
        s.codePage = documentCodePage_;
        return;
    }
    if (word == "deff") {
        defaultFontId_ = value;
        return;
    }

    // Breaks.
    if (word == "par" || word == "line" || word == "page" || word == "sect") {
        emitText("\n");
        return;
    }
    if (word == "tab" || word == "cell" || word == "nestcell") {
        emitText("\t");
        return;
    }
    if (word == "row" || word == "nestrow") {
        endRow();
        return;
    }
    if (const char32_t special = rtfSpecialCharacter(word)) {
        emitCharacter(special);
        return;
    }

    // Character formatting.
    RtfTextFormat& f = s.format;
    if (word == "plain") {
        f = RtfTextFormat{};
        f.font = fonts_.count(defaultFontId_) ? fonts_[defaultFontId_].index : -1;
        s.codePage = fontCodePage(defaultFontId_);
        s.hidden = false;
    } else if (word == "b") {
        f.bold = on;
    } else if (word == "i") {
        f.italic = on;
    } else if (word == "ul" || word == "uld" || word == "uldb" || word == "uldash" || word == "ulw" ||
               word == "ulth" || word == "ulwave") {
        f.underline = on;
    } else if (word == "ulnone") {
        f.underline = false;
    } else if (word == "strike" || word == "striked") {
        f.strikeOut = on;
    } else if (word == "v") {
        s.hidden = on;
    } else if (word == "f" && hasParameter) {
        const auto found = fonts_.find(value);
        f.font = found == fonts_.end() ? -1 : found->second.index;
        s.codePage = fontCodePage(value);
    } else if (word == "fs" && hasParameter && value > 0) {
        f.halfPoints = std::min(value, 3276);
    } else if (word == "cf") {
        const std::size_t index = static_cast<std::size_t>(std::max(0, value));
        f.color = index < colors_.size() ? colors_[index] : std::nullopt;
    }
}

int RtfParser::fontCodePage(int fontId) const
{
    const auto found = fonts_.find(fontId);
    if (found == fonts_.end() || found->second.codePage == 0)
        return documentCodePage_;
    return found->second.codePage;
}

void RtfParser::fontTableText(std::string_view bytes)
{
    for (const char c : bytes) {
        if (c != ';') {
            tableFontName_.push_back(c);
            continue;
        }
        if (tableFontId_ >= 0) {
            std::string name = tableFontUtf8_ + decoders_.toUtf8(tableFontName_, tableFontCodePage());
            while (!name.empty() && name.front() == ' ')
                name.erase(0, 1);
            while (!name.empty() && name.back() == ' ')
                name.pop_back();
            FontEntry& entry = fonts_[tableFontId_];
            entry.codePage = tableFontCodePage_ != 0 ? tableFontCodePage_
                                                     : codePageOfCharset(std::max(tableFontCharset_, 0));
            if (document_) {
                entry.index = static_cast<int>(document_->fonts.size());
                document_->fonts.push_back(RtfFont{std::move(name)});
            }
        }
        tableFontId_ = -1;
        tableFontName_.clear();
        tableFontUtf8_.clear();
    }
}

int RtfParser::tableFontCodePage() const
{
    int codePage = tableFontCodePage_;
    if (codePage == 0 && tableFontCharset_ >= 0)
        codePage = codePageOfCharset(tableFontCharset_);
    return codePage == 0 ? documentCodePage_ : codePage;
}

void RtfParser::colorTableText(std::string_view bytes)
{
    for (const char c : bytes) {
        if (c != ';')
            continue;
        if (red_ < 0 && green_ < 0 && blue_ < 0)
            colors_.emplace_back(std::nullopt);
        else
            colors_.emplace_back((std::uint32_t(std::max(red_, 0)) << 16) |
                                 (std::uint32_t(std::max(green_, 0)) << 8) |
                                 std::uint32_t(std::max(blue_, 0)));
        red_ = green_ = blue_ = -1;
    }
}

void RtfParser::emitText(std::string_view utf8)
{
    if (highSurrogate_ != 0) {
        highSurrogate_ = 0;
        emitText("\xEF\xBF\xBD");
    }
    const GroupState& s = state();
    if (s.destination != Destination::Text || s.hidden)
        return;
    if (plain_)
        plain_->append(utf8);
    else
        document_->append(utf8, s.format);
}

void RtfParser::emitCharacter(char32_t code)
{
    if (code < 0x20 && code != '\t' && code != '\n')
        return;
    std::string utf8;
    appendUtf8(utf8, code);
    if (state().destination == Destination::FontTable) {
        // A font name spelt with \u: the bytes before it are decoded first.
        tableFontUtf8_ += decoders_.toUtf8(tableFontName_, tableFontCodePage());
        tableFontName_.clear();
        tableFontUtf8_ += utf8;
        return;
    }
    emitText(utf8);
}

void RtfParser::emitByte(char byte)
{
    const GroupState& s = state();
    if (s.destination != Destination::Text || s.hidden)
        return;
    if (!bytes_.empty() && bytesCodePage_ != s.codePage)
        flushBytes();
    bytesCodePage_ = s.codePage;
    bytes_.push_back(byte);
}

void RtfParser::flushBytes()
{
    if (bytes_.empty())
        return;
    decoded_ = decoders_.toUtf8(bytes_, bytesCodePage_);
    bytes_.clear();
    // Control characters written as \'hh are no text (tabs and breaks have control words).
    std::erase_if(decoded_, [](char c) { return static_cast<unsigned char>(c) < 0x20; });
    emitText(decoded_);
}

void RtfParser::endRow()
{
    // Cells are separated, so the tab after the row's last cell goes.
    std::string* text = plain_;
    if (!text && document_ && !document_->runs.empty())
        text = &document_->runs.back().text;
    if (text && !text->empty() && text->back() == '\t' && state().destination == Destination::Text) {
        text->pop_back();
        if (text->empty() && !plain_)
            document_->runs.pop_back();
    }
    emitText("\n");
}

} // namespace

std::string RtfError::describe() const
{
    return "byte " + std::to_string(offset) + ": " + message;
}

bool ReadRtf(std::string_view rtf, RtfDocument* document, RtfError* error)
{
    *document = RtfDocument{};
    RtfParser parser(rtf, document, nullptr);
    return parser.run(error);
}

bool RtfToPlainText(std::string_view rtf, std::string* text, RtfError* error)
{
    text->clear();
    RtfParser parser(rtf, nullptr, text);
    return parser.run(error);
}

bool looksLikeRtf(std::string_view bytes)
{
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    while (!bytes.empty() &&
           (bytes.front() == ' ' || bytes.front() == '\t' || bytes.front() == '\r' || bytes.front() == '\n'))
        bytes.remove_prefix(1);
    return bytes.starts_with("{\\rtf");
}

} // namespace narrix
