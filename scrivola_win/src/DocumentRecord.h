#pragma once
// The record attached to each document-list row: its five texts as they
// were when the row was added. Sorting compares records, not the cells.
#include "DocumentTexts.h"
#include "widgets/ListRowRecord.h"

class DocumentRecord : public ListRowRecord {
  public:
    explicit DocumentRecord(scrivola_win::DocumentTexts texts) : m_texts(std::move(texts)) {}
    const scrivola_win::DocumentTexts& Texts() const { return m_texts; }

  private:
    scrivola_win::DocumentTexts m_texts;
};

// Ascending order of two rows' records by one column; rows without a
// document record compare equal.
int CompareDocumentRecords(const ListRowRecord* a, const ListRowRecord* b, int column);
