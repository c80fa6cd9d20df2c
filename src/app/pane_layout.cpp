#include "app/pane_layout.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace narrix {

int roundHalfEven(double value)
{
    if (!std::isfinite(value))
        return 0;
    const double clamped =
        std::clamp(value, double(std::numeric_limits<int>::min()), double(std::numeric_limits<int>::max()));
    return static_cast<int>(std::nearbyint(clamped)); // default rounding mode: to nearest, ties to even
}

int documentPaneWidth(int clientWidth, double split1)
{
    int width = std::max(roundHalfEven(clientWidth * split1), kDocumentPaneMinimum);
    if (clientWidth - width - kSplitterWidth < kRightOfSplitMinimum)
        width = clientWidth - kSplitterWidth - kRightOfSplitMinimum;
    return std::max(width, 0);
}

int schedulePaneHeight(int rightClientHeight, double split2)
{
    int height = std::max(roundHalfEven(rightClientHeight * split2), kSchedulePaneMinimum);
    if (rightClientHeight - height - kSplitterWidth < kRealTimePaneMinimum)
        height = rightClientHeight - kSplitterWidth - kRealTimePaneMinimum;
    return std::max(height, 0);
}

int clampSplitterDrag(int wanted, int totalWithoutSplitter, int minimum)
{
    if (totalWithoutSplitter < 2 * minimum)
        return std::clamp(wanted, 0, std::max(totalWithoutSplitter, 0));
    return std::clamp(wanted, minimum, totalWithoutSplitter - minimum);
}

int listColumnWidth(int listWidth, int verticalScrollBarWidth)
{
    return std::max((listWidth - verticalScrollBarWidth - 4) / 2, 0);
}

} // namespace narrix
