#pragma once
// The rules for reordering and deleting document-list rows, written against
// a small view of the list so they run the same on the window's list and on
// a plain list in tests.
#include <vector>

namespace scrivola_win {

class DocumentRowAccess {
  public:
    virtual ~DocumentRowAccess() = default;
    virtual int RowCount() const = 0;
    virtual std::vector<int> SelectedRows() const = 0;  // ascending
    // Exchanges everything a row shows and carries: texts, icon and record.
    virtual void ExchangeRows(int a, int b) = 0;
    virtual void ClearSelection() = 0;
    virtual void SelectRow(int row) = 0;  // adds the row to the selection
    virtual void ScrollToRow(int row) = 0;
    virtual void RemoveRow(int row) = 0;  // releases the row's record
};

// Exchanges rows a and b and deselects every row; nothing happens when a
// equals b or either is not a row.
void SwapRows(DocumentRowAccess& rows, int a, int b);

// Only the first selected row moves, and afterwards only it is selected. At
// the top (or bottom) nothing moves and the selection stays.
void MoveSelectionUp(DocumentRowAccess& rows);
void MoveSelectionDown(DocumentRowAccess& rows);

// Removes the first selected row until none is selected.
void DeleteSelectedRows(DocumentRowAccess& rows);
void DeleteAllRows(DocumentRowAccess& rows);

}  // namespace scrivola_win
