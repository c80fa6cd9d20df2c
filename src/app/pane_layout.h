#pragma once

namespace narrix {

// Sizes of the main window's panes, from the client sizes and the stored ratios. The clamps never
// change the stored ratios; only moving a splitter does.
constexpr int kSplitterWidth = 4;
constexpr int kDocumentPaneMinimum = 40; // the document pane's own minimum
constexpr int kRightOfSplitMinimum = 40; // kept right of the vertical splitter; wins over the above
constexpr int kSchedulePaneMinimum = 30;
constexpr int kRealTimePaneMinimum = 26;  // wins over the schedule pane's minimum
constexpr int kSplitDragMinimum = 40;     // `split`: neither side dragged below this
constexpr int kSplitter1DragMinimum = 26; // `Splitter1`: likewise

// Rounds to the nearest integer, halves to even.
int roundHalfEven(double value);

// Width of the document pane for a client width and Split1.
int documentPaneWidth(int clientWidth, double split1);

// Height of the schedule pane for the right pane's client height and Split2.
int schedulePaneHeight(int rightClientHeight, double split2);

// Where a dragged splitter may go: the size of the pane before it, given the wanted size, the total
// size of both panes (without the splitter) and the splitter's minimum size.
int clampSplitterDrag(int wanted, int totalWithoutSplitter, int minimum);

// Width of each of the two schedule list columns.
int listColumnWidth(int listWidth, int verticalScrollBarWidth);

} // namespace narrix
