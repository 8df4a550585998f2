#include <gtest/gtest.h>

#include "ProgressPaint.h"

using namespace widgets;

namespace {

constexpr Rgb kYellow{255, 255, 0};
constexpr Rgb kBlue{0, 0, 255};

// Bands must tile [0, end) without gaps or overlaps.
void ExpectContiguous(const ProgressPaintPlan& plan) {
    int expectedLeft = 0;
    for (const GradientBand& band : plan.bands) {
        EXPECT_EQ(band.left, expectedLeft);
        EXPECT_LE(band.left, band.right);
        expectedLeft = band.right;
    }
}

}  // namespace

TEST(ProgressPaint, PercentTextRoundsToWholeNumbers) {
    EXPECT_EQ(PercentText(50, 100), "50%");
    EXPECT_EQ(PercentText(2, 3), "67%");
    EXPECT_EQ(PercentText(1, 3), "33%");
    EXPECT_EQ(PercentText(999, 1000), "100%");
}

TEST(ProgressPaint, OutsideTheOpenRangeShowsAPlainFace) {
    struct Case {
        int lower, upper, position;
    };
    const Case cases[] = {
        {0, 100, 0},  {0, 100, 100}, {0, 100, 150},
        {0, 100, -3}, {10, 20, 10},  {-10, 0, -5},  // no positive upper bound to divide by
    };
    for (const Case& c : cases) {
        const ProgressPaintPlan plan =
            PlanProgressPaint(c.lower, c.upper, c.position, 200, kYellow, kBlue, true);
        EXPECT_TRUE(plan.plainFace) << c.lower << ".." << c.upper << " at " << c.position;
        EXPECT_TRUE(plan.bands.empty());
        EXPECT_TRUE(plan.text.empty());
    }
}

TEST(ProgressPaint, HalfwayShowsTheLeftHalfOfTheGradient) {
    const ProgressPaintPlan plan = PlanProgressPaint(0, 100, 50, 200, kYellow, kBlue, true);
    ASSERT_FALSE(plan.plainFace);
    EXPECT_EQ(plan.text, "50%");
    ExpectContiguous(plan);
    ASSERT_FALSE(plan.bands.empty());
    EXPECT_EQ(plan.bands.front().colour, kYellow);
    EXPECT_EQ(plan.bands.back().right, 100);
    EXPECT_EQ(plan.remainderLeft, 100);
    // Half of 255 steps: channels halfway between yellow and blue.
    EXPECT_EQ(plan.bands.back().colour, (Rgb{128, 128, 127}));
}

TEST(ProgressPaint, GradientSpansTheWholeWidthWhateverThePosition) {
    // Near the end the bands reach the right edge and nothing remains.
    const ProgressPaintPlan nearEnd = PlanProgressPaint(0, 1000, 999, 510, kYellow, kBlue, false);
    ExpectContiguous(nearEnd);
    EXPECT_EQ(nearEnd.bands.back().right, 510);
    EXPECT_EQ(nearEnd.remainderLeft, -1);
    EXPECT_TRUE(nearEnd.text.empty());
    EXPECT_EQ(nearEnd.bands.back().colour, (Rgb{1, 1, 254}));

    // Equal colours still paint (one band instead of a division by zero).
    const ProgressPaintPlan flat = PlanProgressPaint(0, 100, 30, 100, kBlue, kBlue, false);
    ASSERT_EQ(flat.bands.size(), 1u);
    EXPECT_EQ(flat.bands.front().right, 100);
}
