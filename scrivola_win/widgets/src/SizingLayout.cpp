#include "widgets/SizingLayout.h"

#include <algorithm>

namespace widgets {

namespace {

struct AxisPercents {
    std::uint8_t nearEdge;
    std::uint8_t farEdge;
};

AxisPercents PercentsForMode(int mode) {
    switch (mode) {
        case kAnchorStretch:
            return {0, 100};
        case kAnchorMove:
            return {100, 100};
        case kAnchorCentre:
            return {50, 50};
        default:
            return {0, 0};
    }
}

}  // namespace

EdgePercents PercentsForModes(int horizontalMode, int verticalMode) {
    const AxisPercents h = PercentsForMode(horizontalMode);
    const AxisPercents v = PercentsForMode(verticalMode);
    return {h.nearEdge, h.farEdge, v.nearEdge, v.farEdge};
}

PixelRect ResizedRect(const PixelRect& recorded, const EdgePercents& percents, int dx, int dy) {
    PixelRect rect = recorded;
    rect.left += dx * percents.left / 100;
    rect.right += dx * percents.right / 100;
    rect.top += dy * percents.top / 100;
    rect.bottom += dy * percents.bottom / 100;
    return rect;
}

int ClampedGrowth(int newSize, int referenceSize) {
    return std::max(newSize - referenceSize, 0);
}

PixelRect GrownWindowRect(const PixelRect& window, int growPercent, int resizableAxes) {
    PixelRect grown = window;
    if (growPercent <= 0) {
        return grown;
    }
    if (resizableAxes & kResizeHorizontal) {
        const int e = window.Width() * growPercent / 50;
        grown.left = std::max(window.left - e, 0);
        grown.right = window.right + e;
    }
    if (resizableAxes & kResizeVertical) {
        const int e = window.Height() * growPercent / 50;
        grown.top = std::max(window.top - e, 0);
        grown.bottom = window.bottom + e;
    }
    return grown;
}

PixelSize GrownWindowSize(PixelSize window, int growPercent, int resizableAxes) {
    if (growPercent <= 0) {
        return window;
    }
    if (resizableAxes & kResizeHorizontal) {
        window.width += 2 * (window.width * growPercent / 50);
    }
    if (resizableAxes & kResizeVertical) {
        window.height += 2 * (window.height * growPercent / 50);
    }
    return window;
}

}  // namespace widgets
