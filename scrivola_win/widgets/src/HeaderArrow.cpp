#include "HeaderArrow.h"

namespace widgets {

PixelRect HeaderTextRect(const PixelRect& item, int spaceWidth, bool pressed, bool isSortColumn) {
    PixelRect text = item;
    if (pressed) {
        text.left += 1;
        text.right += 1;
        text.top += 2;
    }
    if (isSortColumn) {
        text.right -= 6 * spaceWidth;
    }
    text.left += 2 * spaceWidth;
    text.right -= 2 * spaceWidth;
    return text;
}

SortArrowLines SortArrow(int right, int bottom, int spaceWidth, bool descending) {
    const int s = spaceWidth;
    const int r = right;
    const int b = bottom;
    const int three = (6 * s) / 2;
    const int five = (10 * s) / 2;
    if (descending) {
        return {{{r - 4 * s, 2 * s - 1}, {r - three, b - 2 * s}, {r - five - 2, b - 2 * s}},
                {{r - five - 1, b - 2 * s - 1}, {r - 4 * s, 2 * s - 2}}};
    }
    return {{{r - three, 2 * s - 1}, {r - 4 * s - 1, b - 2 * s + 1}},
            {{r - 4 * s - 1, b - 2 * s}, {r - five - 1, 2 * s - 1}, {r - three, 2 * s - 1}}};
}

}  // namespace widgets
