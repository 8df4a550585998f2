#include <gtest/gtest.h>

#include "HoverButtonLayout.h"

using namespace widgets;

TEST(HoverButtonLayout, IconAndCaptionPlacement) {
    const PixelRect item{0, 0, 80, 60};
    struct Case {
        const char* name;
        int placement;
        bool caption;
        bool pressed;
        PixelRect icon;
        PixelRect captionArea;
    };
    const Case cases[] = {
        {"above, caption", 1, true, false, {24, 0, 56, 32}, {0, 32, 80, 60}},
        {"above, no caption", 1, false, false, {24, 14, 56, 46}, item},
        {"left, caption", 0, true, false, {3, 14, 35, 46}, {35, 0, 80, 60}},
        {"left, no caption", 0, false, false, {24, 14, 56, 46}, item},
        {"above, caption, pressed", 1, true, true, {25, 1, 57, 33}, {1, 33, 81, 61}},
        {"left, no caption, pressed", 0, false, true, {25, 15, 57, 47}, item},
    };
    for (const Case& c : cases) {
        const HoverButtonLayout layout =
            LayOutHoverButton(item, c.placement, c.caption, true, 32, 32, c.pressed);
        EXPECT_TRUE(layout.hasIcon) << c.name;
        EXPECT_EQ(layout.icon, c.icon) << c.name;
        EXPECT_EQ(layout.captionArea, c.captionArea) << c.name;
    }
}

TEST(HoverButtonLayout, WithoutIconTheCaptionUsesTheWholeButton) {
    const HoverButtonLayout layout =
        LayOutHoverButton({0, 0, 80, 60}, 1, true, false, 32, 32, false);
    EXPECT_FALSE(layout.hasIcon);
    EXPECT_EQ(layout.captionArea, (PixelRect{0, 0, 80, 60}));
    EXPECT_EQ(CentredIn({10, 10, 50, 30}, 20, 10), (PixelRect{20, 15, 40, 25}));
}
