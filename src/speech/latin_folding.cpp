#include "speech/latin_folding.h"

#include <QChar>
#include <QString>

#include <algorithm>
#include <array>
#include <iterator>

namespace narrix {
namespace {

// One block of code points whose ASCII spellings are worked out once, on first use.
template <char32_t First, char32_t Last, std::size_t Width> class FoldingBlock
{
public:
    FoldingBlock()
    {
        for (char32_t code = First; code <= Last; ++code)
            fill(code, decomposedSpelling(code));
    }
    bool contains(char32_t code) const { return code >= First && code <= Last; }
    std::string_view at(char32_t code) const
    {
        const Entry& entry = entries_[code - First];
        return std::string_view(entry.letters.data(), entry.length);
    }
    void fill(char32_t code, std::string_view letters)
    {
        if (letters.size() > Width)
            return;
        Entry& entry = entries_[code - First];
        std::copy(letters.begin(), letters.end(), entry.letters.begin());
        entry.length = letters.size();
    }

private:
    struct Entry
    {
        std::array<char, Width> letters{};
        std::size_t length = 0;
    };

    // The compatibility decomposition without its marks, when that leaves only ASCII letters ("ǖ" is
    // "u" with two marks; "ĳ" is "ij"); empty otherwise.
    static std::string decomposedSpelling(char32_t code)
    {
        if (!QChar::isLetter(code) || QChar::script(code) != QChar::Script_Latin)
            return {};
        const QString decomposed = QString::fromUcs4(&code, 1).normalized(QString::NormalizationForm_KD);
        std::string letters;
        for (const QChar c : decomposed) {
            if (isCombiningMark(c.unicode()))
                continue;
            if (c.unicode() >= 0x80 || !c.isLetter())
                return {};
            letters += static_cast<char>(c.unicode());
        }
        return letters;
    }

    std::array<Entry, Last - First + 1> entries_;
};

// Letters that decompose to nothing, spelled as English readers spell them.
struct Spelling
{
    char32_t code;
    const char* letters;
};
constexpr Spelling kUndecomposable[] = {
    {0x00C6, "AE"}, {0x00D0, "D"},  {0x00D8, "O"},  {0x00DE, "TH"}, {0x00DF, "ss"}, {0x00E6, "ae"},
    {0x00F0, "d"},  {0x00F8, "o"},  {0x00FE, "th"}, {0x0110, "D"},  {0x0111, "d"},  {0x0126, "H"},
    {0x0127, "h"},  {0x0131, "i"},  {0x0141, "L"},  {0x0142, "l"},  {0x014A, "NG"}, {0x014B, "ng"},
    {0x0152, "OE"}, {0x0153, "oe"}, {0x0166, "T"},  {0x0167, "t"},  {0x0180, "b"},  {0x0192, "f"},
    {0x01E4, "G"},  {0x01E5, "g"},  {0x0237, "j"},  {0x023A, "A"},  {0x023B, "C"},  {0x023C, "c"},
    {0x0246, "E"},  {0x0247, "e"},  {0x1E9E, "SS"},
};

struct LatinTables
{
    FoldingBlock<0x00C0, 0x024F, 2> latin;           // Latin-1 Supplement and Latin Extended-A, -B
    FoldingBlock<0x1E00, 0x1EFF, 3> latinAdditional; // Vietnamese and other stacked accents
    LatinTables()
    {
        for (const Spelling& spelling : kUndecomposable) {
            if (latin.contains(spelling.code))
                latin.fill(spelling.code, spelling.letters);
            else
                latinAdditional.fill(spelling.code, spelling.letters);
        }
    }
};

const LatinTables& latinTables()
{
    static const LatinTables tables;
    return tables;
}

// Sorted, for a binary search.
constexpr char32_t kSpokenSymbols[] = {
    0x00A2, 0x00A3, 0x00A4, 0x00A5, 0x00A7, 0x00A9, 0x00AC, 0x00AE, 0x00B0, 0x00B1,
    0x00B2, 0x00B3, 0x00B5, 0x00B6, 0x00B9, 0x00BC, 0x00BD, 0x00BE, 0x00D7, 0x00F7,
    0x20A9, 0x20AC, 0x20B9, 0x2122, 0x2192, 0x221E, 0x2260, 0x2264, 0x2265,
};

} // namespace

std::string_view latinBaseLetters(char32_t code)
{
    if (code < 0xC0)
        return {};
    const LatinTables& tables = latinTables();
    if (tables.latin.contains(code))
        return tables.latin.at(code);
    if (tables.latinAdditional.contains(code))
        return tables.latinAdditional.at(code);
    return {};
}

bool isCombiningMark(char32_t code)
{
    if (code < 0x0300)
        return false;
    const QChar::Category category = QChar::category(code);
    return category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining ||
           category == QChar::Mark_Enclosing;
}

bool isSpokenSymbol(char32_t code)
{
    return std::binary_search(std::begin(kSpokenSymbols), std::end(kSpokenSymbols), code);
}

} // namespace narrix
