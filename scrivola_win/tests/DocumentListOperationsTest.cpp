#include <gtest/gtest.h>

#include <set>
#include <string>

#include "DocumentListOperations.h"

namespace scrivola_win {
namespace {

// A plain list of named rows with a selection.
class PlainRows : public DocumentRowAccess {
  public:
    explicit PlainRows(std::vector<std::string> names) : m_names(std::move(names)) {}

    int RowCount() const override { return static_cast<int>(m_names.size()); }
    std::vector<int> SelectedRows() const override {
        return {m_selected.begin(), m_selected.end()};
    }
    void ExchangeRows(int a, int b) override { std::swap(m_names.at(a), m_names.at(b)); }
    void ClearSelection() override { m_selected.clear(); }
    void SelectRow(int row) override { m_selected.insert(row); }
    void ScrollToRow(int row) override { m_scrolledTo = row; }
    void RemoveRow(int row) override {
        m_names.erase(m_names.begin() + row);
        std::set<int> shifted;
        for (int s : m_selected) {
            if (s != row) {
                shifted.insert(s > row ? s - 1 : s);
            }
        }
        m_selected = shifted;
    }

    std::vector<std::string> m_names;
    std::set<int> m_selected;
    int m_scrolledTo = -1;
};

TEST(WinDocumentListOperationsTest, MoveStopsAtTheEndsAndKeepsTheSelection) {
    PlainRows rows({"a", "b", "c"});
    rows.m_selected = {0};
    MoveSelectionUp(rows);
    EXPECT_EQ(rows.m_names, (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_EQ(rows.m_selected, std::set<int>{0});

    MoveSelectionDown(rows);
    EXPECT_EQ(rows.m_names, (std::vector<std::string>{"b", "a", "c"}));
    EXPECT_EQ(rows.m_selected, std::set<int>{1});
    EXPECT_EQ(rows.m_scrolledTo, 1);

    rows.m_selected = {2};
    MoveSelectionDown(rows);
    EXPECT_EQ(rows.m_names, (std::vector<std::string>{"b", "a", "c"}));
    EXPECT_EQ(rows.m_selected, std::set<int>{2});

    MoveSelectionUp(rows);
    EXPECT_EQ(rows.m_names, (std::vector<std::string>{"b", "c", "a"}));
    EXPECT_EQ(rows.m_selected, std::set<int>{1});
}

TEST(WinDocumentListOperationsTest, OnlyTheFirstSelectedRowMoves) {
    PlainRows rows({"r0", "r1", "r2", "r3", "r4"});
    rows.m_selected = {1, 3};
    MoveSelectionDown(rows);
    EXPECT_EQ(rows.m_names, (std::vector<std::string>{"r0", "r2", "r1", "r3", "r4"}));
    EXPECT_EQ(rows.m_selected, std::set<int>{2});

    rows.m_selected.clear();
    MoveSelectionUp(rows);
    MoveSelectionDown(rows);
    EXPECT_EQ(rows.m_names, (std::vector<std::string>{"r0", "r2", "r1", "r3", "r4"}));
}

TEST(WinDocumentListOperationsTest, SwapIgnoresEqualAndInvalidRows) {
    PlainRows rows({"a", "b"});
    rows.m_selected = {1};
    for (auto [a, b] : {std::pair{1, 1}, {-1, 0}, {0, 2}, {5, 0}}) {
        SwapRows(rows, a, b);
        EXPECT_EQ(rows.m_names, (std::vector<std::string>{"a", "b"}));
        EXPECT_EQ(rows.m_selected, std::set<int>{1}) << "selection kept when nothing moves";
    }
    SwapRows(rows, 1, 0);
    EXPECT_EQ(rows.m_names, (std::vector<std::string>{"b", "a"}));
    EXPECT_TRUE(rows.m_selected.empty());
}

TEST(WinDocumentListOperationsTest, DeleteSelectedKeepsTheOthersInOrder) {
    PlainRows rows({"r0", "r1", "r2", "r3", "r4", "r5"});
    rows.m_selected = {0, 2, 4};
    DeleteSelectedRows(rows);
    EXPECT_EQ(rows.m_names, (std::vector<std::string>{"r1", "r3", "r5"}));

    DeleteSelectedRows(rows);  // nothing selected
    EXPECT_EQ(rows.RowCount(), 3);
    DeleteAllRows(rows);
    EXPECT_EQ(rows.RowCount(), 0);
}

}  // namespace
}  // namespace scrivola_win
