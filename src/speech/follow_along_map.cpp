#include "speech/follow_along_map.h"

#include "base/utf8.h"
#include "speech/latin_folding.h"

#include <algorithm>

namespace narrix {
namespace {

std::size_t utf8Length(unsigned char lead)
{
    return lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
}

qsizetype utf16Units(unsigned char lead)
{
    return lead >= 0xF0 ? 2 : 1;
}

} // namespace

FollowAlongMap::FollowAlongMap(std::string_view original, std::string_view cleaned, qsizetype base)
{
    const auto o = [&](std::size_t k) { return static_cast<unsigned char>(original[k]); };
    const auto c = [&](std::size_t k) { return static_cast<unsigned char>(cleaned[k]); };
    std::size_t i = 0, j = 0;    // bytes
    qsizetype ou = base, cu = 0; // UTF-16 units
    qsizetype distance = base;
    points_.emplace_back(0, base);
    const auto note = [&] {
        if (ou - cu == distance)
            return;
        distance = ou - cu;
        if (points_.back().first == cu)
            points_.back().second = ou; // removed characters in a row: one point
        else
            points_.emplace_back(cu, ou);
    };
    while (i < original.size() && j < cleaned.size()) {
        const std::size_t oLength = std::min(utf8Length(o(i)), original.size() - i);
        const std::size_t cLength = std::min(utf8Length(c(j)), cleaned.size() - j);
        if (original.substr(i, oLength) == cleaned.substr(j, cLength)) {
            // The same character on both sides.
            i += oLength, j += cLength;
            ou += utf16Units(o(i - oLength));
            cu += utf16Units(c(j - cLength));
            note();
            continue;
        }
        std::size_t decodedLength = 1;
        const char32_t code = o(i) >= 0x80 ? decodeUtf8At(original, i, &decodedLength) : o(i);
        const std::string_view letters = latinBaseLetters(code);
        if (!letters.empty() && cleaned.substr(j, letters.size()) == letters) {
            // A letter with diacritics spelled with its base letters ("\u00e9" as "e", "\u00df" as "ss").
            ou += utf16Units(o(i));
            i += oLength;
            j += letters.size();
            cu += static_cast<qsizetype>(letters.size());
        } else if (isCombiningMark(code)) {
            // An accent of its own, dropped with the folding.
            ou += utf16Units(o(i));
            i += oLength;
        } else if (o(i) >= 0x80 && (c(j) == ' ' || c(j) == '\'')) {
            // A character beyond ASCII that the clean-up turned into a blank or an apostrophe.
            ou += utf16Units(o(i));
            i += oLength;
            ++j, ++cu;
        } else if (c(j) == ' ' && !(o(i) == '.' && j > 0 && (c(j - 1) == 'U' || c(j - 1) == 'S') &&
                                    i + 1 < original.size() && o(i + 1) == c(j))) {
            // A character blanked in place (the dots of "U.S." are removed instead).
            ++i, ++j, ++ou, ++cu;
        } else {
            // A character the clean-up removed.
            ou += utf16Units(o(i));
            i += oLength;
        }
        note();
    }
    while (j < cleaned.size()) {
        cu += utf16Units(c(j));
        j += std::min(utf8Length(c(j)), cleaned.size() - j);
    }
    cleanedLength_ = cu;
}

qsizetype FollowAlongMap::toDocument(qsizetype cleaned) const
{
    if (points_.empty())
        return cleaned;
    auto after = std::upper_bound(points_.begin(), points_.end(), cleaned,
                                  [](qsizetype value, const auto& point) { return value < point.first; });
    if (after == points_.begin())
        return points_.front().second;
    const auto& point = *std::prev(after);
    return point.second + (cleaned - point.first);
}

} // namespace narrix
