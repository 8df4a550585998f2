#pragma once
// Geometry of a sort-marked header item: where its text goes and the two
// lines of the sort triangle. All sizes derive from the width of a space in
// the header's font, so the triangle scales with the font.
#include <vector>

#include "widgets/PixelRect.h"

namespace widgets {

struct PixelPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

using Polyline = std::vector<PixelPoint>;

struct SortArrowLines {
    Polyline highlight;  // drawn in the button-highlight colour
    Polyline shadow;     // drawn in the button-shadow colour
};

// The item's text rectangle. Pressed items shift right and down; the sort
// column leaves room for the triangle on the right.
PixelRect HeaderTextRect(const PixelRect& item, int spaceWidth, bool pressed, bool isSortColumn);

// Triangle at the item's right edge (exclusive right, exclusive bottom):
// pointing up while descending, down while ascending.
SortArrowLines SortArrow(int right, int bottom, int spaceWidth, bool descending);

}  // namespace widgets
