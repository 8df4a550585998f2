#include "HoverButtonLayout.h"

namespace widgets {

namespace {

constexpr int kIconMargin = 3;

PixelRect Shifted(PixelRect rect, int dx, int dy) {
    rect.left += dx;
    rect.right += dx;
    rect.top += dy;
    rect.bottom += dy;
    return rect;
}

}  // namespace

PixelRect CentredIn(const PixelRect& area, int width, int height) {
    const int left = area.left + (area.Width() - width) / 2;
    const int top = area.top + (area.Height() - height) / 2;
    return {left, top, left + width, top + height};
}

HoverButtonLayout LayOutHoverButton(const PixelRect& item, int placement, bool hasCaption,
                                    bool hasIcon, int iconWidth, int iconHeight, bool pressed) {
    HoverButtonLayout layout;
    layout.captionArea = item;
    if (hasIcon) {
        layout.hasIcon = true;
        const PixelRect centred = CentredIn(item, iconWidth, iconHeight);
        if (placement == 1) {
            layout.icon = centred;
            if (hasCaption) {
                layout.icon.top = item.top;
                layout.icon.bottom = item.top + iconHeight;
                layout.captionArea.top += iconHeight;
            }
        } else if (hasCaption) {
            layout.icon = {item.left + kIconMargin, centred.top,
                           item.left + kIconMargin + iconWidth, centred.bottom};
            layout.captionArea.left += iconWidth + kIconMargin;
        } else {
            layout.icon = centred;
        }
        if (pressed) {
            layout.icon = Shifted(layout.icon, 1, 1);
        }
    }
    if (pressed && hasCaption) {
        layout.captionArea = Shifted(layout.captionArea, 1, 1);
    }
    return layout;
}

}  // namespace widgets
