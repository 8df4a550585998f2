#pragma once
// Layout arithmetic of CSizingDialog: anchor modes, the resize step and the
// enlargement at start-up. Plain integers, testable without a display.
#include <cstdint>

#include "widgets/PixelRect.h"

namespace widgets {

enum AnchorMode : int {
    kAnchorFixed = 0,    // edge stays
    kAnchorStretch = 1,  // far edge follows the size change
    kAnchorMove = 2,     // both edges follow: moves with the right or bottom border
    kAnchorCentre = 3,   // moves by half the change
};

inline constexpr int kResizeHorizontal = 1;
inline constexpr int kResizeVertical = 2;
inline constexpr int kResizeBoth = 3;

// How far each edge follows the size change, in percent.
struct EdgePercents {
    std::uint8_t left = 0;
    std::uint8_t right = 0;
    std::uint8_t top = 0;
    std::uint8_t bottom = 0;

    bool IsFixed() const { return left == 0 && right == 0 && top == 0 && bottom == 0; }
    friend bool operator==(const EdgePercents&, const EdgePercents&) = default;
};

// Percentages of an anchor mode per axis; unknown modes are fixed.
EdgePercents PercentsForModes(int horizontalMode, int verticalMode);

// A control's rectangle for a growth of dx, dy pixels over the reference
// size, always from the rectangle recorded at registration.
PixelRect ResizedRect(const PixelRect& recorded, const EdgePercents& percents, int dx, int dy);

// The growth the resize step uses: negative differences count as 0.
int ClampedGrowth(int newSize, int referenceSize);

// The window rectangle enlarged along the resizable axes: each edge moves
// out by size * growPercent / 50, the near edge not below 0.
PixelRect GrownWindowRect(const PixelRect& window, int growPercent, int resizableAxes);

// The same enlargement for a window that has no place on the screen yet:
// both edges move out in full, since there is no screen edge to stop at.
struct PixelSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const PixelSize&, const PixelSize&) = default;
};
PixelSize GrownWindowSize(PixelSize window, int growPercent, int resizableAxes);

}  // namespace widgets
