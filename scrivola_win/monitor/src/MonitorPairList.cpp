#include "MonitorPairList.h"

namespace monitor {

bool IsCompletePair(const MonitorPair& pair) {
    return !pair.monitoredDirectory.empty() && !pair.outputDirectory.empty();
}

bool MonitorPairList::Add(const MonitorPair& pair) {
    if (!IsCompletePair(pair)) {
        return false;
    }
    m_pairs.push_back(pair);
    return true;
}

bool MonitorPairList::Delete(int row) {
    if (!HasRow(row)) {
        return false;
    }
    m_pairs.erase(m_pairs.begin() + row);
    return true;
}

bool MonitorPairList::Modify(int row, const MonitorPair& edited) {
    if (!HasRow(row) || !IsCompletePair(edited)) {
        return false;
    }
    m_pairs.erase(m_pairs.begin() + row);
    m_pairs.push_back(edited);
    return true;
}

}  // namespace monitor
