#include <gtest/gtest.h>

#include <thread>

#include "GuiTestSupport.h"
#include "widgets/CPercentProgressCtrl.h"

namespace {

class PercentProgressCtrlTest : public ::testing::Test {
  protected:
    void SetUp() override {
        bar.resize(200, 20);
        bar.SetBarRange(0, 100);
        bar.SetShowPercentage(true);
        bar.show();
        face = bar.palette().color(QPalette::Button);
    }

    CPercentProgressCtrl bar;
    QColor face;
};

}  // namespace

TEST_F(PercentProgressCtrlTest, AtTheBoundsTheBarIsPlainFaceWithoutText) {
    for (const int position : {0, 100}) {
        bar.SetBarPos(position);
        const QImage image = Render(&bar);
        EXPECT_EQ(CountColour(image, face), image.width() * image.height())
            << "position " << position;
    }
}

TEST_F(PercentProgressCtrlTest, HalfwayShowsTheGradientsLeftHalfAndTheText) {
    bar.SetBarPos(50);
    const QImage image = Render(&bar);
    // The first gradient band (pure yellow) is narrower than a pixel here.
    EXPECT_GE(Pixel(image, 0, 0).red(), 250);
    EXPECT_LE(Pixel(image, 0, 0).blue(), 5);
    // The fill ends exactly halfway; the text straddles the middle, so the
    // top row shows the edge.
    EXPECT_EQ(Pixel(image, 99, 0), QColor(128, 128, 127));
    EXPECT_EQ(CountColour(image, face, QRect(100, 0, 100, 1)), 100);
    EXPECT_EQ(CountColour(image, face, QRect(140, 0, 60, 20)), 60 * 20);
    // Channels fall from left to right along a row outside the text.
    EXPECT_GT(Pixel(image, 20, 1).red(), Pixel(image, 80, 1).red());
    EXPECT_LT(Pixel(image, 20, 1).blue(), Pixel(image, 80, 1).blue());

    // "50%" in white, centred: white pixels only around the middle.
    const QColor white(255, 255, 255);
    EXPECT_GT(CountColour(image, white, QRect(70, 0, 60, 20)), 5);
    EXPECT_EQ(CountColour(image, white, QRect(0, 0, 60, 20)), 0);
    EXPECT_EQ(CountColour(image, white, QRect(140, 0, 60, 20)), 0);
}

TEST_F(PercentProgressCtrlTest, WithoutPercentageNoTextIsDrawn) {
    bar.SetShowPercentage(false);
    bar.SetBarPos(50);
    EXPECT_EQ(CountColour(Render(&bar), QColor(255, 255, 255)), 0);
}

TEST_F(PercentProgressCtrlTest, RangeResetsThePositionToTheLowerBound) {
    bar.SetBarPos(40);
    bar.SetBarRange(10, 20);
    EXPECT_EQ(bar.BarPos(), 10);
    EXPECT_EQ(bar.BarLower(), 10);
    EXPECT_EQ(bar.BarUpper(), 20);
}

TEST_F(PercentProgressCtrlTest, PositionFromAnotherThreadArrivesOnTheWidgetsThread) {
    std::thread worker([this] { bar.SetBarPos(40); });
    worker.join();
    EXPECT_TRUE(WaitUntil([this] { return bar.BarPos() == 40; }));
}
