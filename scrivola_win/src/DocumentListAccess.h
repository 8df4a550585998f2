#pragma once
// The document-list rules applied to the window's list control.
#include "DocumentListOperations.h"

class CSortListCtrl;

class DocumentListAccess : public scrivola_win::DocumentRowAccess {
  public:
    explicit DocumentListAccess(CSortListCtrl& list) : m_list(list) {}

    int RowCount() const override;
    std::vector<int> SelectedRows() const override;
    void ExchangeRows(int a, int b) override;
    void ClearSelection() override;
    void SelectRow(int row) override;
    void ScrollToRow(int row) override;
    void RemoveRow(int row) override;

  private:
    CSortListCtrl& m_list;
};
