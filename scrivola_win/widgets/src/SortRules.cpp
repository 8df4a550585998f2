#include "widgets/SortRules.h"

namespace widgets {

bool DescendingAfterClick(const SortState& state, int clickedColumn) {
    return clickedColumn != state.column || !state.descending;
}

int CompareTextNoCase(const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive);
}

}  // namespace widgets
