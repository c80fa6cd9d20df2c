#include "app/pane_layout.h"

#include <cmath>
#include <gtest/gtest.h>

namespace narrix {
namespace {

TEST(PaneLayout, RoundsHalvesToEven)
{
    EXPECT_EQ(roundHalfEven(22.5), 22);
    EXPECT_EQ(roundHalfEven(23.5), 24);
    EXPECT_EQ(roundHalfEven(253.8), 254);
    EXPECT_EQ(roundHalfEven(-0.5), 0);
    EXPECT_EQ(roundHalfEven(std::nan("")), 0);
}

TEST(PaneLayout, DocumentPaneFollowsSplit1WithinItsClamps)
{
    EXPECT_EQ(documentPaneWidth(470, 0.54), 254); // 253.8
    EXPECT_EQ(documentPaneWidth(45, 0.5), 1);     // 45 - 4 - 40
    EXPECT_EQ(documentPaneWidth(500, 0.05), 40);  // own minimum
    EXPECT_EQ(documentPaneWidth(500, 0.99), 456); // 40 kept right of the splitter
    // A 60-pixel client: the 40 pixels right of the splitter win over the pane's own minimum.
    EXPECT_EQ(documentPaneWidth(60, 0.54), 16);
    EXPECT_EQ(documentPaneWidth(30, 0.54), 0);
    EXPECT_EQ(documentPaneWidth(0, 0.54), 0);
    EXPECT_EQ(documentPaneWidth(100, 0.5), 50);
    EXPECT_EQ(documentPaneWidth(101, 0.5), 50); // 50.5 rounds to even
}

TEST(PaneLayout, SchedulePaneFollowsSplit2WithinItsClamps)
{
    EXPECT_EQ(schedulePaneHeight(300, 0.66), 198);
    EXPECT_EQ(schedulePaneHeight(300, 0.01), 30);  // own minimum
    EXPECT_EQ(schedulePaneHeight(300, 0.99), 270); // the real-time pane keeps 26
    EXPECT_EQ(schedulePaneHeight(50, 0.66), 20);   // the real-time pane wins over the 30
    EXPECT_EQ(schedulePaneHeight(10, 0.66), 0);
}

TEST(PaneLayout, DraggedSplittersKeepTheirMinimumOnBothSides)
{
    EXPECT_EQ(clampSplitterDrag(10, 400, 40), 40);
    EXPECT_EQ(clampSplitterDrag(390, 400, 40), 360);
    EXPECT_EQ(clampSplitterDrag(200, 400, 40), 200);
    EXPECT_EQ(clampSplitterDrag(70, 60, 40), 60); // too small for both minimums
    EXPECT_EQ(clampSplitterDrag(-5, 60, 40), 0);
}

TEST(PaneLayout, ListColumnsShareTheWidth)
{
    EXPECT_EQ(listColumnWidth(200, 0), 98);
    EXPECT_EQ(listColumnWidth(200, 15), 90); // 181 / 2 truncated
    EXPECT_EQ(listColumnWidth(3, 15), 0);
}

} // namespace
} // namespace narrix
