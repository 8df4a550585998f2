#include "MonitorSweep.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <thread>

#include "platform/DebugLog.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "runner/FreeName.h"
#include "scrivola_win/DocumentCollector.h"
#include "settings/SettingsRecords.h"

namespace monitor {

namespace {

// A short pause between the conversions and clearing the originals, so the
// converter has let go of them.
constexpr auto kPauseBeforeClearing = std::chrono::milliseconds(20);
// Backup names tried when other processes keep taking the free ones.
constexpr int kBackupAttempts = 8;

void DebugNote(const std::string& text) {
    platform::OutputDebugText("Directory monitor: " + text + "\n");
}

enum class MoveResult { Moved, TargetExists, Failed };

// Renames without ever replacing an existing target, also when another
// process creates it meanwhile.
MoveResult MoveWithoutReplacing(const std::string& from, const std::string& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return MoveResult::Moved;
    }
    if (errno == EEXIST) {
        return MoveResult::TargetExists;
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return MoveResult::Failed;
    }
    // File systems without the flag: a hard link fails the same way on an
    // existing name.
    if (::link(from.c_str(), to.c_str()) == 0) {
        ::unlink(from.c_str());
        return MoveResult::Moved;
    }
    if (errno == EEXIST) {
        return MoveResult::TargetExists;
    }
    if (platform::PathExists(to)) {
        return MoveResult::TargetExists;
    }
    return ::rename(from.c_str(), to.c_str()) == 0 ? MoveResult::Moved : MoveResult::Failed;
}

struct HandledDocument {
    std::string path;
    bool converted = false;  // the conversion wrote its output
    bool temporaryPage = false;
};

}  // namespace

bool IsTemporaryPagePath(std::string_view path) {
    return path.size() >= kTemporaryPagePrefix.size() &&
           platform::EqualsIgnoreCase(path.substr(0, kTemporaryPagePrefix.size()),
                                      kTemporaryPagePrefix);
}

std::string MonitorOutputPath(std::string_view outputDirectory, std::string_view documentPath) {
    return platform::WithTrailingSlash(outputDirectory) + platform::SplitPath(documentPath).name +
           ".pdf";
}

std::optional<std::string> RenameToBackup(const std::string& path) {
    const std::string backup = path + ".bak";
    std::string candidate = backup;
    for (int attempt = 0; attempt < kBackupAttempts; ++attempt) {
        switch (MoveWithoutReplacing(path, candidate)) {
            case MoveResult::Moved:
                return candidate;
            case MoveResult::Failed:
                return std::nullopt;
            case MoveResult::TargetExists:
                candidate = runner::MakeFreeName(
                    backup, [](const std::string& name) { return platform::PathExists(name); });
                break;
        }
    }
    return std::nullopt;
}

std::vector<std::string> PairMemory::SettledDocuments(const std::vector<std::string>& listed) {
    std::unordered_map<std::string, FileStamp> current;
    std::vector<std::string> settled;
    for (const std::string& path : listed) {
        const std::optional<FileStamp> stamp = RegularFileStamp(path);
        if (!stamp) {
            continue;
        }
        current.emplace(path, *stamp);
        const auto previous = m_previous.find(path);
        if (previous != m_previous.end() && previous->second == *stamp &&
            !IsBusyOrUnreadable(path)) {
            settled.push_back(path);
        }
    }
    m_previous = std::move(current);
    return settled;
}

bool PairMemory::FirstNotice(const std::string& key) {
    return m_noticed.insert(key).second;
}

SweepCounts SweepMonitorPair(const MonitorPair& pair, MonitorConverter& converter,
                             const std::atomic<bool>& stop, PairMemory& memory) {
    SweepCounts counts;
    // An empty folder name would mean the current folder; it names nothing.
    if (pair.monitoredDirectory.empty()) {
        return counts;
    }
    scrivola_win::PendingList listed;
    scrivola_win::CollectDirectory(pair.monitoredDirectory, listed, false);
    const std::vector<std::string> settled = memory.SettledDocuments(listed);
    if (settled.empty()) {
        return counts;
    }
    // Converting into a folder that cannot take the files would only turn
    // every document into a backup; they wait until the folder is usable.
    const std::string folderNotice = "output:" + pair.outputDirectory;
    if (!IsWritableDirectory(pair.outputDirectory)) {
        if (memory.FirstNotice(folderNotice)) {
            DebugNote("output folder missing or not writable, documents wait: \"" +
                      pair.outputDirectory + "\"");
        }
        return counts;
    }
    memory.ForgetNotice(folderNotice);

    std::vector<HandledDocument> handled;
    for (const std::string& path : settled) {
        if (stop.load()) {
            break;
        }
        if (IsTemporaryPagePath(path)) {
            handled.push_back({path, false, true});
            continue;
        }
        const std::string output = MonitorOutputPath(pair.outputDirectory, path);
        if (output.size() > platform::kMaxPath) {
            if (memory.FirstNotice(path)) {
                DebugNote("output path too long, document left alone: " + output);
            }
            continue;
        }
        const std::optional<FileStamp> before = RegularFileStamp(output);
        const std::string written = converter.RunConversion(path, output);
        const std::optional<FileStamp> after = RegularFileStamp(written);
        const bool converted = after.has_value() && (written != output || after != before);
        if (converted) {
            ++counts.converted;
        } else {
            ++counts.failed;
            DebugNote("conversion wrote nothing, the original is kept as a backup: " + path);
        }
        handled.push_back({path, converted, false});
    }
    if (handled.empty()) {
        return counts;
    }

    const bool eraseOriginals = scrivola_win::LoadMonitorOption().eraseOriginalFile.IsOn();
    std::this_thread::sleep_for(kPauseBeforeClearing);
    for (const HandledDocument& document : handled) {
        // An original is deleted only when the file it stands for exists.
        if (eraseOriginals && (document.converted || document.temporaryPage)) {
            if (platform::DeleteFile(document.path)) {
                ++counts.deleted;
            }
            continue;
        }
        if (RenameToBackup(document.path)) {
            ++counts.renamed;
        } else if (memory.FirstNotice(document.path)) {
            DebugNote("cannot rename the original, it is converted again next time: " +
                      document.path);
        }
    }
    return counts;
}

}  // namespace monitor
