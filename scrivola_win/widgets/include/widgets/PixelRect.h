#pragma once
// A rectangle as the widget logic computes it: edges, not origin and size,
// so the arithmetic reads like the layout rules it implements. Right and
// bottom are exclusive.

namespace widgets {

struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

}  // namespace widgets
