#include <gtest/gtest.h>

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QSignalSpy>

#include "GuiTestSupport.h"
#include "TestRecords.h"
#include "widgets/CSortListCtrl.h"

namespace {

const QColor kArrowLight(255, 0, 255);
const QColor kArrowDark(0, 160, 160);

class SortListCtrlTest : public ::testing::Test {
  protected:
    void SetUp() override {
        int column = 0;
        for (const char* heading : {"Filename", "Filepath", "Size", "Date", "Type"}) {
            list->InsertColumn(column++, heading, 100);
        }
        list->SetRowComparer(CompareCountedRecords);
        list->SortByColumn(0, false);
        Add({"beta.doc", "/b/", "    2 KB", "2005-01-02 00:00:00", "Word"});
        Add({"Alpha.doc", "/a/", "   10 KB", "2005-01-03 00:00:00", "Word"});
        Add({"gamma.xls", "/c/", "    1 KB", "2005-01-01 00:00:00", "Sheet"});
        list->resize(600, 200);
        list->show();
    }

    void Add(const QStringList& texts) {
        list->AppendRow(texts, std::make_unique<CountedRecord>(texts, &releases));
    }

    QStringList Names() const {
        QStringList names;
        for (int row = 0; row < list->RowCount(); ++row) {
            names << list->ItemText(row, 0);
        }
        return names;
    }

    void ClickHeader(int column) {
        QHeaderView* header = list->horizontalHeader();
        const QPoint centre(
            header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
            header->height() / 2);
        SendClick(header->viewport(), centre);
    }

    std::map<QString, int> releases;
    std::unique_ptr<CSortListCtrl> list = std::make_unique<CSortListCtrl>();
};

}  // namespace

TEST_F(SortListCtrlTest, HeaderClicksSortDescendingFirstThenReverse) {
    QSignalSpy clicked(list.get(), &CSortListCtrl::HeaderClicked);
    EXPECT_EQ(Names(), (QStringList{"beta.doc", "Alpha.doc", "gamma.xls"}));  // appended, unsorted

    ClickHeader(0);
    EXPECT_EQ(Names(), (QStringList{"gamma.xls", "beta.doc", "Alpha.doc"}));
    EXPECT_TRUE(list->SortHeader()->IsDescending());
    ClickHeader(0);
    EXPECT_EQ(Names(), (QStringList{"Alpha.doc", "beta.doc", "gamma.xls"}));
    EXPECT_FALSE(list->SortHeader()->IsDescending());

    ClickHeader(2);  // Size, a new column: descending
    EXPECT_EQ(Names(), (QStringList{"Alpha.doc", "beta.doc", "gamma.xls"}));
    EXPECT_EQ(list->SortHeader()->SortColumn(), 2);
    ClickHeader(3);
    EXPECT_EQ(Names(), (QStringList{"Alpha.doc", "beta.doc", "gamma.xls"}));
    ClickHeader(3);
    EXPECT_EQ(Names(), (QStringList{"gamma.xls", "beta.doc", "Alpha.doc"}));
    EXPECT_EQ(clicked.count(), 5);
    EXPECT_TRUE(releases.empty());
}

TEST_F(SortListCtrlTest, SelectionStaysWithItsRowAndHeaderClicksDoNotSelect) {
    list->SetRowSelected(0, true);  // beta.doc
    ClickHeader(0);
    EXPECT_EQ(list->SelectedRows(), (std::vector<int>{1}));
    EXPECT_EQ(list->ItemText(1, 0), "beta.doc");
}

TEST_F(SortListCtrlTest, ColumnWithoutComparableTextsLeavesTheOrder) {
    list->SortByColumn(7, true);  // no such column: every pair equal
    EXPECT_EQ(Names(), (QStringList{"beta.doc", "Alpha.doc", "gamma.xls"}));
}

TEST_F(SortListCtrlTest, ArrowIsDrawnOnlyInTheSortColumn) {
    QHeaderView* header = list->horizontalHeader();
    QPalette colours = header->palette();
    colours.setColor(QPalette::Light, kArrowLight);
    colours.setColor(QPalette::Dark, kArrowDark);
    header->setPalette(colours);

    for (const int sortColumn : {0, 3}) {
        list->SortByColumn(sortColumn, true);
        const QImage image = Render(header);
        for (int column = 0; column < list->ColumnCount(); ++column) {
            const QRect section(header->sectionViewportPosition(column), 0,
                                header->sectionSize(column), header->height());
            const int light = CountColour(image, kArrowLight, section);
            const int dark = CountColour(image, kArrowDark, section);
            if (column == sortColumn) {
                EXPECT_GT(light, 3) << "column " << column;
                EXPECT_GT(dark, 2) << "column " << column;
            } else {
                EXPECT_EQ(light + dark, 0) << "sorted " << sortColumn << ", column " << column;
            }
        }
    }
}

TEST_F(SortListCtrlTest, DeletingRowsReleasesEachRecordOnce) {
    EXPECT_TRUE(list->DeleteRow(1));
    EXPECT_EQ(releases, (std::map<QString, int>{{"Alpha.doc", 1}}));
    list->DeleteAllRows();
    EXPECT_EQ(list->RowCount(), 0);
    Add({"delta.ppt"});
    list.reset();
    EXPECT_EQ(releases,
              (std::map<QString, int>{
                  {"Alpha.doc", 1}, {"beta.doc", 1}, {"gamma.xls", 1}, {"delta.ppt", 1}}));
}

TEST_F(SortListCtrlTest, SwapSelectAndSignals) {
    EXPECT_TRUE(list->SwapRows(0, 2));
    EXPECT_EQ(Names(), (QStringList{"gamma.xls", "Alpha.doc", "beta.doc"}));
    EXPECT_EQ(list->ItemText(2, 1), "/b/");
    EXPECT_FALSE(list->SwapRows(0, 3));

    list->SelectAllRows();
    EXPECT_EQ(list->SelectedRows(), (std::vector<int>{0, 1, 2}));
    list->ClearRowSelection();
    EXPECT_EQ(list->FirstSelectedRow(), -1);

    QSignalSpy menu(list.get(), &CSortListCtrl::ContextMenuRequested);
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, {5, 5}, {105, 205});
    QApplication::sendEvent(list->viewport(), &rightClick);
    ASSERT_EQ(menu.count(), 1);
    EXPECT_EQ(menu.at(0).at(0).toPoint(), QPoint(105, 205));

    QSignalSpy keys(list.get(), &CSortListCtrl::KeyPressed);
    QKeyEvent insert(QEvent::KeyPress, Qt::Key_Insert, Qt::NoModifier);
    QApplication::sendEvent(list.get(), &insert);
    ASSERT_EQ(keys.count(), 1);
    EXPECT_EQ(keys.at(0).at(0).toInt(), int(Qt::Key_Insert));

    QSignalSpy doubleClicks(list.get(), &CSortListCtrl::RowDoubleClicked);
    const QPoint belowRows(5, list->viewport()->height() - 5);
    SendMouse(list->viewport(), QEvent::MouseButtonDblClick, belowRows, Qt::LeftButton,
              Qt::LeftButton);
    ASSERT_EQ(doubleClicks.count(), 1);
    EXPECT_EQ(doubleClicks.at(0).at(0).toInt(), -1);
}

TEST(SortListCtrlPlain, ListThatIsNotSortableIgnoresSorting) {
    CSortListCtrl list(nullptr, false);
    list.InsertColumn(0, "Name", 100);
    list.AppendRow({"b"});
    list.AppendRow({"a"});
    list.SetRowComparer([](const ListRowRecord*, const ListRowRecord*, int) { return 1; });
    list.SortByColumn(0, false);
    EXPECT_EQ(list.SortHeader(), nullptr);
    EXPECT_EQ(list.ItemText(0, 0), "b");
}
