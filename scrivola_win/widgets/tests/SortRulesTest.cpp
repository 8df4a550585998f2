#include <gtest/gtest.h>

#include "HeaderArrow.h"
#include "widgets/SortRules.h"

using namespace widgets;

TEST(SortRules, HeaderClickStartsDescendingAndThenReverses) {
    struct Case {
        SortState state;
        int clicked;
        bool descending;
    };
    const Case cases[] = {
        {{-1, true}, 0, true},  // nothing sorted yet
        {{0, false}, 0, true},  // ascending column clicked again
        {{0, true}, 0, false},  // descending column clicked again
        {{0, false}, 2, true},  // another column starts descending
        {{2, true}, 0, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DescendingAfterClick(c.state, c.clicked), c.descending)
            << "state " << c.state.column << "/" << c.state.descending << " click " << c.clicked;
    }
}

TEST(SortRules, TextsCompareWithoutRegardToCase) {
    EXPECT_EQ(CompareTextNoCase("Report.DOC", "report.doc"), 0);
    EXPECT_EQ(CompareTextNoCase(QString::fromUtf8("ÄRGER.doc"), QString::fromUtf8("ärger.doc")), 0);
    EXPECT_LT(CompareTextNoCase("a.doc", "B.doc"), 0);
    EXPECT_GT(CompareTextNoCase("b.doc", "A.doc"), 0);
    // Padded sizes and fixed-format dates order correctly as text.
    EXPECT_LT(CompareTextNoCase("    9 KB", "   10 KB"), 0);
    EXPECT_LT(CompareTextNoCase("2004-12-31 23:59:59", "2005-01-01 00:00:00"), 0);
}

TEST(HeaderArrow, TextLeavesRoomForTheArrowAndShiftsWhenPressed) {
    const PixelRect item{100, 0, 250, 20};
    EXPECT_EQ(HeaderTextRect(item, 4, false, false), (PixelRect{108, 0, 242, 20}));
    EXPECT_EQ(HeaderTextRect(item, 4, false, true), (PixelRect{108, 0, 218, 20}));
    EXPECT_EQ(HeaderTextRect(item, 4, true, false), (PixelRect{109, 2, 243, 20}));
}

TEST(HeaderArrow, TrianglePointsUpWhileDescendingAndDownWhileAscending) {
    const int right = 250;
    const int bottom = 20;
    const int space = 4;
    for (const bool descending : {true, false}) {
        const SortArrowLines arrow = SortArrow(right, bottom, space, descending);
        Polyline all = arrow.highlight;
        all.insert(all.end(), arrow.shadow.begin(), arrow.shadow.end());
        int top = bottom;
        int low = 0;
        for (const PixelPoint& p : all) {
            // The triangle stays in the item's last six spaces.
            EXPECT_GE(p.x, right - 6 * space);
            EXPECT_LT(p.x, right);
            top = std::min(top, p.y);
            low = std::max(low, p.y);
        }
        // The apex is the one corner alone on its row.
        int onTop = 0;
        for (const PixelPoint& p : all) {
            onTop += p.y <= top + 1 ? 1 : 0;
        }
        if (descending) {
            EXPECT_EQ(arrow.highlight.front(), (PixelPoint{right - 4 * space, 2 * space - 1}));
            EXPECT_LE(onTop, 2) << "descending: apex at the top";
        } else {
            EXPECT_GE(onTop, 3) << "ascending: flat side at the top";
        }
        EXPECT_GT(low - top, space);
    }
}
