#pragma once
// Sort rules of CSortListCtrl, apart from the widget so they are testable
// without a display.
#include <QString>

namespace widgets {

// The sort state kept in the list's header: which column is sorted and in
// which direction. -1 means no column.
struct SortState {
    int column = -1;
    bool descending = true;
};

// Direction a header click asks for: a new column starts descending, the
// current column reverses.
bool DescendingAfterClick(const SortState& state, int clickedColumn);

// Negative, 0 or positive; letter case is ignored (Unicode case folding).
int CompareTextNoCase(const QString& a, const QString& b);

}  // namespace widgets
