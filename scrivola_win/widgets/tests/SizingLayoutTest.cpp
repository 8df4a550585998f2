#include <gtest/gtest.h>

#include "widgets/SizingLayout.h"

using namespace widgets;

TEST(SizingLayout, AnchorModesGiveEdgePercents) {
    struct Case {
        int horizontal;
        int vertical;
        EdgePercents expected;
    };
    const Case cases[] = {
        {0, 0, {0, 0, 0, 0}},     {1, 1, {0, 100, 0, 100}}, {2, 2, {100, 100, 100, 100}},
        {3, 3, {50, 50, 50, 50}}, {0, 2, {0, 0, 100, 100}}, {1, 2, {0, 100, 100, 100}},
        {7, -1, {0, 0, 0, 0}},  // unknown modes are fixed
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PercentsForModes(c.horizontal, c.vertical), c.expected)
            << "modes " << c.horizontal << "," << c.vertical;
    }
    EXPECT_TRUE(PercentsForModes(0, 9).IsFixed());
    EXPECT_FALSE(PercentsForModes(0, 3).IsFixed());
}

TEST(SizingLayout, ResizeMovesEdgesByTheirPercentOfTheGrowth) {
    const PixelRect recorded{10, 20, 110, 70};
    EXPECT_EQ(ResizedRect(recorded, PercentsForModes(1, 1), 30, 40), (PixelRect{10, 20, 140, 110}));
    EXPECT_EQ(ResizedRect(recorded, PercentsForModes(2, 2), 30, 40), (PixelRect{40, 60, 140, 110}));
    EXPECT_EQ(ResizedRect(recorded, PercentsForModes(0, 2), 30, 40), (PixelRect{10, 60, 110, 110}));
    // Half of an odd growth is truncated toward zero, in both directions.
    EXPECT_EQ(ResizedRect(recorded, PercentsForModes(3, 0), 31, 0), (PixelRect{25, 20, 125, 70}));
    EXPECT_EQ(ResizedRect(recorded, PercentsForModes(3, 0), -31, 0), (PixelRect{-5, 20, 95, 70}));
}

TEST(SizingLayout, ShrinkingBackToTheReferencePutsControlsOnTheirTemplate) {
    const PixelRect recorded{7, 175, 59, 210};
    const EdgePercents percents = PercentsForModes(1, 2);
    ASSERT_NE(ResizedRect(recorded, percents, ClampedGrowth(900, 400), ClampedGrowth(700, 300)),
              recorded);
    EXPECT_EQ(ResizedRect(recorded, percents, ClampedGrowth(400, 400), ClampedGrowth(300, 300)),
              recorded);
    // Smaller than the reference counts as no growth at all.
    EXPECT_EQ(ClampedGrowth(350, 400), 0);
    EXPECT_EQ(ResizedRect(recorded, percents, ClampedGrowth(350, 400), ClampedGrowth(250, 300)),
              recorded);
}

TEST(SizingLayout, GrowPercentEnlargesEachEdgeByAFifthAtTen) {
    // 400 x 300 at (100, 100): 80 and 60 pixels on each side.
    EXPECT_EQ(GrownWindowRect({100, 100, 500, 400}, 10, kResizeBoth),
              (PixelRect{20, 40, 580, 460}));
    // The near edge stops at the screen's edge; the far edge still moves.
    EXPECT_EQ(GrownWindowRect({30, 10, 430, 310}, 10, kResizeBoth), (PixelRect{0, 0, 510, 370}));
    EXPECT_EQ(GrownWindowRect({100, 100, 500, 400}, 10, kResizeHorizontal),
              (PixelRect{20, 100, 580, 400}));
    EXPECT_EQ(GrownWindowRect({100, 100, 500, 400}, 0, kResizeBoth),
              (PixelRect{100, 100, 500, 400}));
    EXPECT_EQ(GrownWindowSize({400, 300}, 10, kResizeBoth), (PixelSize{560, 420}));
    EXPECT_EQ(GrownWindowSize({400, 300}, 10, kResizeVertical), (PixelSize{400, 420}));
}
