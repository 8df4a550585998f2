#include <gtest/gtest.h>

#include <QPixmap>

#include "GuiTestSupport.h"
#include "widgets/CHoverIconButton.h"

namespace {

const QColor kHoverFill(220, 220, 220);
const QColor kIconRed(255, 0, 0);

QIcon RedIcon() {
    QPixmap pixmap(32, 32);
    pixmap.fill(kIconRed);
    return QIcon(pixmap);
}

class HoverIconButtonTest : public ::testing::Test {
  protected:
    void SetUp() override {
        button.resize(80, 60);
        button.SetIcons(RedIcon(), QIcon(), 32, 32);
        button.SetHoverFillColor(kHoverFill);
        button.SetFlatLook(true);
        button.SetIconPlacement(1);
        button.show();
        face = button.palette().color(QPalette::Button);
    }

    CHoverIconButton button{"Make PDF"};
    QColor face;
};

}  // namespace

TEST_F(HoverIconButtonTest, HoverFillsWithTheHoverColourUntilThePointerLeaves) {
    EXPECT_EQ(Pixel(Render(&button), 5, 55), Rgb8(face));

    SendMouseMove(&button, {40, 30});
    EXPECT_TRUE(button.IsHovered());
    EXPECT_EQ(Pixel(Render(&button), 5, 55), kHoverFill);

    SendLeave(&button);
    EXPECT_FALSE(button.IsHovered());
    EXPECT_EQ(Pixel(Render(&button), 5, 55), Rgb8(face));

    SendMouseMove(&button, {40, 30});
    SendMouseMove(&button, {200, 30});  // outside while tracked
    EXPECT_FALSE(button.IsHovered());
}

TEST_F(HoverIconButtonTest, IconSitsAboveTheCaption) {
    const QImage image = Render(&button);
    EXPECT_EQ(Pixel(image, 24, 0), kIconRed);
    EXPECT_EQ(Pixel(image, 55, 31), kIconRed);
    EXPECT_NE(Pixel(image, 40, 33), kIconRed);
    EXPECT_EQ(CountColour(image, kIconRed), 32 * 32);
}

TEST_F(HoverIconButtonTest, WithoutCaptionOnlyTheIconIsDrawnCentred) {
    button.setText(QString());
    const QImage image = Render(&button);
    EXPECT_EQ(Pixel(image, 24, 14), kIconRed);
    EXPECT_EQ(Pixel(image, 55, 45), kIconRed);
    EXPECT_EQ(CountColour(image, kIconRed), 32 * 32);
    EXPECT_EQ(CountColour(image, face) + 32 * 32, 80 * 60);
}

TEST_F(HoverIconButtonTest, DisabledButtonIsGreyedAndIgnoresHover) {
    SendMouseMove(&button, {40, 30});
    button.setEnabled(false);
    EXPECT_FALSE(button.IsHovered());
    SendMouseMove(&button, {40, 30});
    EXPECT_FALSE(button.IsHovered());
    const QImage image = Render(&button);
    EXPECT_EQ(CountColour(image, kIconRed), 0);  // the icon is drawn greyed
    EXPECT_EQ(Pixel(image, 5, 55), Rgb8(face));
}

TEST_F(HoverIconButtonTest, ClassicLookHasNoHoverAndARaisedEdge) {
    button.SetFlatLook(false);
    SendMouseMove(&button, {40, 30});
    EXPECT_FALSE(button.IsHovered());
    const QImage image = Render(&button);
    const QPalette& colours = button.palette();
    EXPECT_EQ(Pixel(image, 0, 30), Rgb8(colours.color(QPalette::Light)));
    EXPECT_EQ(Pixel(image, 79, 30), Rgb8(colours.color(QPalette::Shadow)));
    EXPECT_EQ(Pixel(image, 78, 30), Rgb8(colours.color(QPalette::Dark)));
}

TEST_F(HoverIconButtonTest, LosingFocusClearsHover) {
    SendMouseMove(&button, {40, 30});
    ASSERT_TRUE(button.IsHovered());
    QFocusEvent focusOut(QEvent::FocusOut);
    QApplication::sendEvent(&button, &focusOut);
    EXPECT_FALSE(button.IsHovered());
}

TEST_F(HoverIconButtonTest, PlacementAcceptsOnlyZeroOrOne) {
    button.SetIconPlacement(0);
    button.SetIconPlacement(5);
    EXPECT_EQ(button.IconPlacement(), 0);
    const QImage image = Render(&button);
    EXPECT_EQ(Pixel(image, 3, 14), kIconRed);  // left of the caption
}
