#include <gtest/gtest.h>

#include <set>
#include <string>

#include "DocumentListOperations.h"

namespace scrivola_win {
namespace {

// A plain list of named rows with a selection.
class PlainRows : public DocumentRowAccess {
  public:
    explicit PlainRows(std::vector<std::string> names) : names_(std::move(names)) {}

    int RowCount() const override { return static_cast<int>(names_.size()); }
    std::vector<int> SelectedRows() const override { return {selected_.begin(), selected_.end()}; }
    void ExchangeRows(int a, int b) override { std::swap(names_.at(a), names_.at(b)); }
    void ClearSelection() override { selected_.clear(); }
    void SelectRow(int row) override { selected_.insert(row); }
    void ScrollToRow(int row) override { scrolledTo_ = row; }
    void RemoveRow(int row) override {
        names_.erase(names_.begin() + row);
        std::set<int> shifted;
        for (int s : selected_) {
            if (s != row) {
                shifted.insert(s > row ? s - 1 : s);
            }
        }
        selected_ = shifted;
    }

    std::vector<std::string> names_;
    std::set<int> selected_;
    int scrolledTo_ = -1;
};

TEST(WinDocumentListOperationsTest, MoveStopsAtTheEndsAndKeepsTheSelection) {
    PlainRows rows({"a", "b", "c"});
    rows.selected_ = {0};
    MoveSelectionUp(rows);
    EXPECT_EQ(rows.names_, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(rows.selected_, std::set<int>{0});

    MoveSelectionDown(rows);
    EXPECT_EQ(rows.names_, (std::vector<std::string>{"b", "a", "c"}));
    EXPECT_EQ(rows.selected_, std::set<int>{1});
    EXPECT_EQ(rows.scrolledTo_, 1);

    rows.selected_ = {2};
    MoveSelectionDown(rows);
    EXPECT_EQ(rows.names_, (std::vector<std::string>{"b", "a", "c"}));
    EXPECT_EQ(rows.selected_, std::set<int>{2});

    MoveSelectionUp(rows);
    EXPECT_EQ(rows.names_, (std::vector<std::string>{"b", "c", "a"}));
    EXPECT_EQ(rows.selected_, std::set<int>{1});
}

TEST(WinDocumentListOperationsTest, OnlyTheFirstSelectedRowMoves) {
    PlainRows rows({"r0", "r1", "r2", "r3", "r4"});
    rows.selected_ = {1, 3};
    MoveSelectionDown(rows);
    EXPECT_EQ(rows.names_, (std::vector<std::string>{"r0", "r2", "r1", "r3", "r4"}));
    EXPECT_EQ(rows.selected_, std::set<int>{2});

    rows.selected_.clear();
    MoveSelectionUp(rows);
    MoveSelectionDown(rows);
    EXPECT_EQ(rows.names_, (std::vector<std::string>{"r0", "r2", "r1", "r3", "r4"}));
}

TEST(WinDocumentListOperationsTest, SwapIgnoresEqualAndInvalidRows) {
    PlainRows rows({"a", "b"});
    rows.selected_ = {1};
    for (auto [a, b] : {std::pair{1, 1}, {-1, 0}, {0, 2}, {5, 0}}) {
        SwapRows(rows, a, b);
        EXPECT_EQ(rows.names_, (std::vector<std::string>{"a", "b"}));
        EXPECT_EQ(rows.selected_, std::set<int>{1}) << "selection kept when nothing moves";
    }
    SwapRows(rows, 1, 0);
    EXPECT_EQ(rows.names_, (std::vector<std::string>{"b", "a"}));
    EXPECT_TRUE(rows.selected_.empty());
}

TEST(WinDocumentListOperationsTest, DeleteSelectedKeepsTheOthersInOrder) {
    PlainRows rows({"r0", "r1", "r2", "r3", "r4", "r5"});
    rows.selected_ = {0, 2, 4};
    DeleteSelectedRows(rows);
    EXPECT_EQ(rows.names_, (std::vector<std::string>{"r1", "r3", "r5"}));

    DeleteSelectedRows(rows);  // nothing selected
    EXPECT_EQ(rows.RowCount(), 3);
    DeleteAllRows(rows);
    EXPECT_EQ(rows.RowCount(), 0);
}

}  // namespace
}  // namespace scrivola_win
