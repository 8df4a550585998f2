#pragma once
// One look into a monitored folder: every document that has settled is
// converted into the output folder, then deleted or renamed to ".bak" so it
// is not converted again.
#include <atomic>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "FileStamp.h"
#include "monitor/MonitorConverter.h"
#include "monitor/MonitorPair.h"

namespace monitor {

// Page files of the converter's own raster output, kept in the root folder;
// they are cleared away like documents but never converted.
inline constexpr std::string_view kTemporaryPagePrefix = "/tiftmp_pg_";

bool IsTemporaryPagePath(std::string_view path);

// Output folder, '/', the document's name without its extension, ".pdf".
std::string MonitorOutputPath(std::string_view outputDirectory, std::string_view documentPath);

// Renames the file to its own name with ".bak" appended. An earlier backup
// of that name is kept: the new one then takes the first free name by the
// converter's rule ("a.doc000.bak", ...). The backup's path, or nothing when
// the file could not be renamed.
std::optional<std::string> RenameToBackup(const std::string& path);

// What one pair's sweeps remember from pass to pass.
class PairMemory {
  public:
    // The listed documents that are ready: seen unchanged in the previous
    // pass and not locked by a writer. A file still being copied in is left
    // for a later pass. Everything listed is remembered for the next one.
    std::vector<std::string> SettledDocuments(const std::vector<std::string>& listed);

    // True the first time a problem with this key is met, so the debug
    // channel is not flooded once a second.
    bool FirstNotice(const std::string& key);
    void ForgetNotice(const std::string& key) { m_noticed.erase(key); }

  private:
    std::unordered_map<std::string, FileStamp> m_previous;
    std::set<std::string> m_noticed;
};

// How many documents one sweep treated, for tests and the debug channel.
struct SweepCounts {
    int converted = 0;  // conversions that wrote their output
    int failed = 0;     // conversions that wrote nothing
    int deleted = 0;
    int renamed = 0;
};

// One sweep of one pair, on the monitor thread. `stop` is looked at before
// each conversion; documents already handed over are deleted or renamed
// even when it is set meanwhile, so they are not converted twice.
SweepCounts SweepMonitorPair(const MonitorPair& pair, MonitorConverter& converter,
                             const std::atomic<bool>& stop, PairMemory& memory);

}  // namespace monitor
