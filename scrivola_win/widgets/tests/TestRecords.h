#pragma once
// Row records for the list tests: they carry texts and count releases.
#include <QString>
#include <QStringList>
#include <map>

#include "widgets/ListRowRecord.h"
#include "widgets/SortRules.h"

class CountedRecord : public ListRowRecord {
  public:
    CountedRecord(QStringList texts, std::map<QString, int>* releases)
        : texts(std::move(texts)), m_releases(releases) {}
    ~CountedRecord() override { ++(*m_releases)[texts.value(0)]; }

    QStringList texts;

  private:
    std::map<QString, int>* m_releases;
};

// Ascending comparison of the records' texts in one column.
inline int CompareCountedRecords(const ListRowRecord* a, const ListRowRecord* b, int column) {
    const auto* left = dynamic_cast<const CountedRecord*>(a);
    const auto* right = dynamic_cast<const CountedRecord*>(b);
    if (left == nullptr || right == nullptr) {
        return 0;
    }
    return widgets::CompareTextNoCase(left->texts.value(column), right->texts.value(column));
}
