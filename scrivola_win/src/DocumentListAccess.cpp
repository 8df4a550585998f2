#include "DocumentListAccess.h"

#include "widgets/CSortListCtrl.h"

int DocumentListAccess::RowCount() const {
    return m_list.RowCount();
}

std::vector<int> DocumentListAccess::SelectedRows() const {
    return m_list.SelectedRows();
}

void DocumentListAccess::ExchangeRows(int a, int b) {
    m_list.SwapRows(a, b);
}

void DocumentListAccess::ClearSelection() {
    m_list.ClearRowSelection();
}

void DocumentListAccess::SelectRow(int row) {
    m_list.SetRowSelected(row, true);
}

void DocumentListAccess::ScrollToRow(int row) {
    m_list.EnsureRowVisible(row);
}

void DocumentListAccess::RemoveRow(int row) {
    m_list.DeleteRow(row);
}
