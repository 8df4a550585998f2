#include <gtest/gtest.h>

#include "PaperSizes.h"

namespace runner {
namespace {

// Portrait points the converter has always been given for each row.
constexpr PagePoints kPortraitPoints[kPaperSizeCount] = {
    {609, 791},   {609, 1006},  {522, 754},   {1006, 609},  {791, 1222},  {720, 539},
    {842, 1191},  {595, 842},   {420, 595},   {394, 609},   {709, 1003},  {516, 729},
    {2384, 3370}, {1684, 2384}, {1191, 1684}, {2835, 4008}, {2004, 2835}, {1417, 2004},
    {1003, 1417}, {1222, 1582}, {1582, 2446}, {2446, 3166}, {289, 215},   {145, 215},
    {227, 170},   {113, 170},   {181, 136},   {91, 136},    {609, 935},   {609, 780},
    {312, 624},   {459, 649},   {918, 1298},  {649, 918},   {323, 459},   {709, 1001},
    {499, 709},   {499, 354},   {646, 862},   {862, 1295},  {1295, 1726}, {1726, 2591},
    {2591, 3455},
};

TEST(PaperSizes, EveryRowGivesItsPointsInBothOrientations) {
    for (int row = 0; row < kPaperSizeCount; ++row) {
        SCOPED_TRACE(row);
        const PagePoints portrait = kPortraitPoints[row];
        EXPECT_EQ(PageSizeInPoints(row, false), portrait);
        EXPECT_EQ(PageSizeInPoints(row, true), (PagePoints{portrait.height, portrait.width}));
    }
}

TEST(PaperSizes, MillimetresAreCutBeforeConvertingSoLetterIsNotTheUsualSize) {
    EXPECT_FLOAT_EQ(PaperWidthMm(0), 215.9f);
    EXPECT_FLOAT_EQ(PaperHeightMm(0), 279.4f);
    EXPECT_EQ(PageSizeInPoints(0, false), (PagePoints{609, 791}));
    EXPECT_EQ(PaperSizeRow(0)->label, "Letter [8.5 x 11 in]");
    EXPECT_EQ(PaperSizeRow(42)->label, "Arch E [36 x 48 in]");
}

TEST(PaperSizes, RowsOutsideTheTableGiveA4) {
    for (const int row : {-1, 43, 1000}) {
        SCOPED_TRACE(row);
        EXPECT_EQ(PaperSizeRow(row), nullptr);
        EXPECT_FLOAT_EQ(PaperWidthMm(row), 210.0f);
        EXPECT_FLOAT_EQ(PaperHeightMm(row), 297.0f);
        EXPECT_EQ(PageSizeInPoints(row, false), (PagePoints{595, 842}));
    }
}

}  // namespace
}  // namespace runner
