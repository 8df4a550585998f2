#pragma once
// The monitor page's working copy of the pair list: what Add, Delete and
// Modify do to it. Nothing is stored until the sheet's OK.
#include <cstddef>
#include <vector>

#include "monitor/MonitorPair.h"

namespace monitor {

// A pair the user may add: both folders given.
bool IsCompletePair(const MonitorPair& pair);

class MonitorPairList {
  public:
    MonitorPairList() = default;
    explicit MonitorPairList(std::vector<MonitorPair> pairs) : m_pairs(std::move(pairs)) {}

    const std::vector<MonitorPair>& Pairs() const { return m_pairs; }
    int Count() const { return static_cast<int>(m_pairs.size()); }

    // Appends a complete pair; false (nothing changes) otherwise.
    bool Add(const MonitorPair& pair);
    // False for a row that does not exist.
    bool Delete(int row);
    // An edited pair leaves its place and goes to the end. False, and the
    // row stays as it was, for a missing row or an incomplete pair.
    bool Modify(int row, const MonitorPair& edited);

  private:
    bool HasRow(int row) const { return row >= 0 && row < Count(); }
    std::vector<MonitorPair> m_pairs;
};

}  // namespace monitor
