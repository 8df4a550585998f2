#pragma once
// The monitor pairs in the settings file: DirectoryNum,
// ImageDirectoryAttribName%02d and ImageDirectory%02d in section ImageManage.
// The delete-originals choice is the settings module's MonitorOptionRecord.
#include <vector>

#include "monitor/MonitorPair.h"

namespace monitor {

// More pairs than this are neither stored nor loaded.
inline constexpr int kMaxMonitorPairs = 2000;

// A stored or counted number of pairs, brought into 0..2000.
int ClampDirectoryNum(int count);

// The stored pairs in list order, empty values included. Values are taken
// whole: a path cut to some buffer would name another folder.
std::vector<MonitorPair> LoadMonitorPairs();

// Writes DirectoryNum and the pairs up to the limit. Keys of a longer list
// stored earlier stay in the file; DirectoryNum makes readers ignore them.
void StoreMonitorPairs(const std::vector<MonitorPair>& pairs);

}  // namespace monitor
