#include "DocumentListOperations.h"

namespace scrivola_win {

namespace {

int FirstSelectedRow(const DocumentRowAccess& rows) {
    const std::vector<int> selected = rows.SelectedRows();
    return selected.empty() ? -1 : selected.front();
}

bool IsRow(const DocumentRowAccess& rows, int row) {
    return row >= 0 && row < rows.RowCount();
}

void MoveFirstSelectedRowBy(DocumentRowAccess& rows, int step) {
    const int from = FirstSelectedRow(rows);
    if (from < 0) {
        return;
    }
    const int to = from + step;
    SwapRows(rows, from, to);
    if (IsRow(rows, to)) {
        rows.SelectRow(to);
        rows.ScrollToRow(to);
    }
}

}  // namespace

void SwapRows(DocumentRowAccess& rows, int a, int b) {
    if (a == b || !IsRow(rows, a) || !IsRow(rows, b)) {
        return;
    }
    rows.ExchangeRows(a, b);
    rows.ClearSelection();
}

void MoveSelectionUp(DocumentRowAccess& rows) {
    MoveFirstSelectedRowBy(rows, -1);
}

void MoveSelectionDown(DocumentRowAccess& rows) {
    MoveFirstSelectedRowBy(rows, +1);
}

void DeleteSelectedRows(DocumentRowAccess& rows) {
    for (int row = FirstSelectedRow(rows); row >= 0; row = FirstSelectedRow(rows)) {
        const int before = rows.RowCount();
        rows.RemoveRow(row);
        if (rows.RowCount() == before) {
            return;  // a row that will not go would loop forever
        }
    }
}

void DeleteAllRows(DocumentRowAccess& rows) {
    for (int row = rows.RowCount() - 1; row >= 0; --row) {
        rows.RemoveRow(row);
    }
}

}  // namespace scrivola_win
