#include <gtest/gtest.h>

#include <QSizeGrip>

#include "GuiTestSupport.h"
#include "widgets/CSizingDialog.h"

namespace {

// A dialog laid out like the main window: a list that stretches, a button
// row that moves down, a progress bar that stretches and moves down.
class SizingDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dialog.resize(400, 300);
        list->setGeometry(10, 10, 380, 200);
        button->setGeometry(10, 220, 80, 30);
        progress->setGeometry(10, 260, 380, 20);
        fixed->setGeometry(300, 220, 50, 30);
    }

    void InitAndRegister() {
        dialog.InitSizing(10);
        ASSERT_NE(dialog.AddSizingControl(list, 1, 1), nullptr);
        ASSERT_NE(dialog.AddSizingControl(button, 0, 2), nullptr);
        ASSERT_NE(dialog.AddSizingControl(progress, 1, 2), nullptr);
    }

    void ResizeTo(int width, int height) {
        dialog.resize(width, height);
        WaitUntil(
            [&] { return dialog.size() == QSize(width, height).expandedTo(dialog.minimumSize()); });
        QApplication::processEvents();
    }

    CSizingDialog dialog;
    QWidget* list = new QWidget(&dialog);
    QWidget* button = new QWidget(&dialog);
    QWidget* progress = new QWidget(&dialog);
    QWidget* fixed = new QWidget(&dialog);
};

}  // namespace

TEST_F(SizingDialogTest, RegistrationNeedsInitSizingAChildAndAnAnchor) {
    EXPECT_EQ(dialog.AddSizingControl(list, 1, 1), nullptr);  // before InitSizing
    dialog.InitSizing(0);
    EXPECT_EQ(dialog.AddSizingControl(fixed, 0, 0), nullptr);
    EXPECT_EQ(dialog.AddSizingControl(nullptr, 1, 1), nullptr);
    QWidget stranger;
    EXPECT_EQ(dialog.AddSizingControl(&stranger, 1, 1), nullptr);
    EXPECT_NE(dialog.AddSizingControl(list, 1, 1), nullptr);
}

TEST_F(SizingDialogTest, OpensLargerWithItsLayoutSizeAsMinimumAndAGripInTheCorner) {
    InitAndRegister();
    EXPECT_EQ(dialog.minimumSize(), QSize(400, 300));
    EXPECT_EQ(dialog.size(), QSize(560, 420));
    dialog.show();
    ASSERT_TRUE(WaitUntil([&] { return list->geometry() == QRect(10, 10, 540, 320); }));
    QSizeGrip* grip = dialog.findChild<QSizeGrip*>(CSizingDialog::kSizeGripName);
    ASSERT_NE(grip, nullptr);
    EXPECT_EQ(grip->geometry(), QRect(536, 396, 24, 24));
    EXPECT_TRUE(grip->isVisible());
}

TEST_F(SizingDialogTest, ResizeMovesAnchoredControlsAndShrinkingRestoresTheTemplate) {
    InitAndRegister();
    dialog.show();
    ResizeTo(600, 500);
    EXPECT_EQ(list->geometry(), QRect(10, 10, 580, 400));
    EXPECT_EQ(button->geometry(), QRect(10, 420, 80, 30));
    EXPECT_EQ(progress->geometry(), QRect(10, 460, 580, 20));
    EXPECT_EQ(fixed->geometry(), QRect(300, 220, 50, 30));
    EXPECT_EQ(dialog.SizeGrip()->geometry(), QRect(576, 476, 24, 24));

    ResizeTo(100, 100);  // below the minimum: stops at the template size
    EXPECT_EQ(dialog.size(), QSize(400, 300));
    EXPECT_EQ(list->geometry(), QRect(10, 10, 380, 200));
    EXPECT_EQ(button->geometry(), QRect(10, 220, 80, 30));
    EXPECT_EQ(progress->geometry(), QRect(10, 260, 380, 20));
}

TEST_F(SizingDialogTest, ControlRegisteredAfterGrowingIsPlacedAtOnce) {
    InitAndRegister();  // now 160 x 120 larger than the reference
    auto* late = new QWidget(&dialog);
    late->setGeometry(50, 50, 20, 20);
    ASSERT_NE(dialog.AddSizingControl(late, 2, 3), nullptr);
    EXPECT_EQ(late->geometry(), QRect(210, 110, 20, 20));
}

TEST_F(SizingDialogTest, DestroyedControlsAreSkipped) {
    InitAndRegister();
    dialog.show();
    delete button;
    ResizeTo(700, 500);
    EXPECT_EQ(list->geometry(), QRect(10, 10, 680, 400));
}

TEST_F(SizingDialogTest, AxisThatIsNotResizableKeepsItsSize) {
    dialog.SetResizableAxes(widgets::kResizeHorizontal);
    InitAndRegister();
    EXPECT_EQ(dialog.maximumHeight(), 300);
    EXPECT_EQ(dialog.size(), QSize(560, 300));
}
