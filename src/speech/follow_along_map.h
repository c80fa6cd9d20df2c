#pragma once

#include <QtGlobal>

#include <string_view>
#include <utility>
#include <vector>

namespace narrix {

// Maps positions in a text as the engine got it (after the speech clean-up) back to the document the
// text came from. Positions are UTF-16 units, as the editor counts them.
//
// The clean-up keeps most lengths: it replaces characters by blanks or apostrophes (a character
// beyond ASCII by one blank, a Latin letter with diacritics by its base letters), and removes only
// leading blanks and punctuation, the dots of "U.S.", combining marks and, counted in UTF-16 units,
// one unit of each character beyond the first plane. The map aligns the
// two texts once, in one pass, and keeps only the points where the distance between them changes.
class FollowAlongMap
{
public:
    FollowAlongMap() = default;
    // `original` and `cleaned` in UTF-8; `base` is where `original` begins in the document (the
    // selection's start when Play read a selection).
    FollowAlongMap(std::string_view original, std::string_view cleaned, qsizetype base);

    // The document position of a position in the cleaned text.
    qsizetype toDocument(qsizetype cleaned) const;
    // The cleaned text's length in UTF-16 units: positions beyond it follow the last distance.
    qsizetype cleanedLength() const { return cleanedLength_; }

private:
    std::vector<std::pair<qsizetype, qsizetype>> points_; // (cleaned, document), cleaned ascending
    qsizetype cleanedLength_ = 0;
};

} // namespace narrix
