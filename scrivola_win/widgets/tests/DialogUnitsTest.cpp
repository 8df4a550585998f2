#include <gtest/gtest.h>

#include <QApplication>
#include <QWidget>

#include "widgets/DialogUnits.h"

TEST(DialogUnits, ConvertsByQuarterCharacterWidthAndEighthHeight) {
    const DialogUnits units(DialogBaseUnits{6, 13});
    EXPECT_EQ(units.X(4), 6);
    EXPECT_EQ(units.Y(8), 13);
    EXPECT_EQ(units.X(7), 11);  // 10.5 rounds up
    EXPECT_EQ(units.ToPixels(384, 233), QSize(576, 379));
    EXPECT_EQ(units.ToPixels(7, 7, 370, 163), QRect(11, 11, 555, 265));
}

TEST(DialogUnits, ControlsThatTouchInDialogUnitsTouchInPixels) {
    const DialogUnits units = DialogUnits::ForDefaultFont();
    EXPECT_GT(units.Base().x, 0);
    EXPECT_GT(units.Base().y, 0);
    for (int x = 0; x < 40; ++x) {
        const QRect first = units.ToPixels(x, 0, 53, 35);
        const QRect second = units.ToPixels(x + 53, 0, 53, 35);
        EXPECT_EQ(first.left() + first.width(), second.left()) << "at " << x;
    }
    QWidget parent;
    QWidget child(&parent);
    units.Place(&child, 7, 175, 52, 35);
    EXPECT_EQ(child.geometry(), units.ToPixels(7, 175, 52, 35));
}

TEST(DialogUnits, LargerFontsGiveLargerUnits) {
    QFont small = QApplication::font();
    small.setPixelSize(10);
    QFont large = small;
    large.setPixelSize(20);
    const DialogBaseUnits a = BaseUnitsOf(small);
    const DialogBaseUnits b = BaseUnitsOf(large);
    EXPECT_GT(b.x, a.x);
    EXPECT_GT(b.y, a.y);
}
