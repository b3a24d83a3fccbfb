// Where the main window's controls stand at its stored size, in twips (15
// to a device-independent pixel), each place written once.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

namespace tagora::geometry {

inline constexpr QSize kClientSize(9435, 8415);
// Smaller than this, the boxes would have no room.
inline constexpr QSize kLeastClientSize(6000, 6000);

// The two boxes with their caption lines, and the splitter between them:
// stacked, each box is 3300 high below a caption line of 270. Each box's
// pane reaches the window's right edge, as the links on its caption line
// may: the box leaves a margin at its right.
inline constexpr QRect kBoxesRect(180, 135, 9255, 7215);
inline constexpr int kBoxRightMargin = 195;
inline constexpr int kSplitterHandle = 75;
inline constexpr int kCaptionLineHeight = 270;
// In a box's pane: the input caption stands a little right of its box's
// edge, and the links at their places on the caption line.
inline constexpr QPoint kInputCaptionPlace(45, 0);
inline constexpr QPoint kEnlargeInputPlace(1350, 0);
inline constexpr int kOpenFileFromRight = 1140;  // from the box's right edge to the link's left
inline constexpr QPoint kOutputCaptionPlace(0, 0);
inline constexpr QPoint kEnlargeOutputPlace(1215, 0);  // or further right, after a long caption
inline constexpr int kEnlargeOutputGap = 210;          // between the caption and its Enlarge link

// The button row, left to right.
inline constexpr int kButtonRowTop = 7425;
inline constexpr QSize kButtonSize(1410, 420);
inline constexpr int kButtonLefts[] = {630, 2070, 3510, 4950, 6390, 7830};

// The white line across the window above the status strip.
inline constexpr int kLineLeft = -135;
inline constexpr int kLineRight = 9360;
inline constexpr int kLineTop = 8010;

inline constexpr QRect kStatusStripRect(0, 8085, 9435, 330);
inline constexpr QPoint kStatusTextPlace(180, 45);

}  // namespace tagora::geometry
