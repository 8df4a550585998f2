#pragma once
// Where CHoverIconButton puts its icon and caption.
#include "widgets/PixelRect.h"

namespace widgets {

struct HoverButtonLayout {
    bool hasIcon = false;
    PixelRect icon;         // valid when hasIcon
    PixelRect captionArea;  // the measured caption is centred in it
};

// placement 0: icon left of the caption, 1: icon above it. A pressed
// button shifts icon and caption one pixel right and down.
HoverButtonLayout LayOutHoverButton(const PixelRect& item, int placement, bool hasCaption,
                                    bool hasIcon, int iconWidth, int iconHeight, bool pressed);

// A width x height rectangle centred in area.
PixelRect CentredIn(const PixelRect& area, int width, int height);

}  // namespace widgets
