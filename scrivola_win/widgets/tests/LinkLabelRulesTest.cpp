#include <gtest/gtest.h>

#include "LinkLabelRules.h"

using namespace widgets;

TEST(LinkLabelRules, ErrorMessagesByShellCode) {
    EXPECT_EQ(LinkErrorMessage(26), "Unable to open hyperlink:\n\nA sharing violation occurred. ");
    EXPECT_EQ(LinkErrorMessage(2),
              "Unable to open hyperlink:\n\nThe specified file was not found.");
    EXPECT_EQ(LinkErrorText(31),
              "There is no application associated\nwith the given filename extension.");
    EXPECT_EQ(LinkErrorText(0), "The operating system is out\nof memory or resources.");
    EXPECT_EQ(LinkErrorText(30),
              "The DDE transaction could not\nbe completed because other DDE transactions\n"
              "were being processed.");
    EXPECT_EQ(LinkErrorText(99), "Unknown Error (99) occurred.");
    EXPECT_EQ(LinkErrorText(-1), "Unknown Error (-1) occurred.");
}

TEST(LinkLabelRules, FitToTextKeepsTheAlignedEdges) {
    const PixelRect rect{10, 20, 210, 60};  // 200 x 40
    struct Case {
        TextAlign align;
        bool verticallyCentred;
        PixelRect expected;
    };
    const Case cases[] = {
        {TextAlign::kLeft, false, {10, 20, 60, 34}},
        {TextAlign::kCentre, false, {85, 20, 135, 34}},
        {TextAlign::kRight, false, {160, 20, 210, 34}},
        {TextAlign::kLeft, true, {10, 33, 60, 47}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FitRectToText(rect, 50, 14, c.align, c.verticallyCentred), c.expected)
            << static_cast<int>(c.align) << " " << c.verticallyCentred;
    }
}
