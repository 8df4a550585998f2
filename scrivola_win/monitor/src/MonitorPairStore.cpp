#include "MonitorPairStore.h"

#include <algorithm>
#include <string>

#include "settings/SettingsKeys.h"

namespace monitor {

namespace {

using scrivola_win::settings::ImageDirectoryAttribNameKey;
using scrivola_win::settings::ImageDirectoryKey;
using scrivola_win::settings::kDirectoryNum;

scrivola_win::SettingsStore SettingsFile() {
    return scrivola_win::OpenStore(kDirectoryNum.store);
}

}  // namespace

int ClampDirectoryNum(int count) {
    return std::clamp(count, 0, kMaxMonitorPairs);
}

std::vector<MonitorPair> LoadMonitorPairs() {
    const scrivola_win::SettingsStore store = SettingsFile();
    const int count = ClampDirectoryNum(store.ReadInt(kDirectoryNum.section, kDirectoryNum.key, 0));
    std::vector<MonitorPair> pairs;
    pairs.reserve(static_cast<std::size_t>(count));
    for (int index = 0; index < count; ++index) {
        MonitorPair pair;
        pair.monitoredDirectory =
            store.ReadStoredString(kDirectoryNum.section, ImageDirectoryAttribNameKey(index))
                .value_or(std::string());
        pair.outputDirectory =
            store.ReadStoredString(kDirectoryNum.section, ImageDirectoryKey(index))
                .value_or(std::string());
        pairs.push_back(std::move(pair));
    }
    return pairs;
}

void StoreMonitorPairs(const std::vector<MonitorPair>& pairs) {
    scrivola_win::SettingsStore store = SettingsFile();
    const int count = ClampDirectoryNum(
        static_cast<int>(std::min(pairs.size(), static_cast<std::size_t>(kMaxMonitorPairs))));
    store.WriteInt(kDirectoryNum.section, kDirectoryNum.key, count);
    for (int index = 0; index < count; ++index) {
        const MonitorPair& pair = pairs[static_cast<std::size_t>(index)];
        store.WriteString(kDirectoryNum.section, ImageDirectoryAttribNameKey(index),
                          pair.monitoredDirectory);
        store.WriteString(kDirectoryNum.section, ImageDirectoryKey(index), pair.outputDirectory);
    }
}

}  // namespace monitor
