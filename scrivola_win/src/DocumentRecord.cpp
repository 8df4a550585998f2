#include "DocumentRecord.h"

int CompareDocumentRecords(const ListRowRecord* a, const ListRowRecord* b, int column) {
    const auto* first = dynamic_cast<const DocumentRecord*>(a);
    const auto* second = dynamic_cast<const DocumentRecord*>(b);
    if (first == nullptr || second == nullptr) {
        return 0;
    }
    return scrivola_win::CompareDocumentTexts(first->Texts(), second->Texts(), column);
}
