#pragma once
// The wait for the file the virtual printer writes: it must appear (a new
// file, not one that was there before the job), stop growing and be free of
// the printer's lock. The printer writes a temporary file and renames it into
// place while holding its lock, so each phase ends as soon as its condition
// holds; short polls replace the fixed pauses a slower spooler needed.
#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Clock.h"

namespace scrivola {

// Both the appearance and the openable phase give up after this long.
inline constexpr std::uint64_t kOutputTimeoutMs = 120 * 1000;
// The longest pause between two looks at the file.
inline constexpr std::uint32_t kOutputPollMs = 50;

// What identifies one version of a file: a file replaced by rename gets a
// new inode, one rewritten in place a new modification time or size.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    std::int64_t modifiedNs = 0;
    std::uint64_t size = 0;
    bool isDirectory = false;
    bool operator==(const FileIdentity&) const = default;
};

// The identity of the file at path, or nothing when there is none.
std::optional<FileIdentity> IdentifyFile(const std::string& path);

// 1 if a file other than `before` (the file the path held before the job,
// if any) exists at the end, else 0.
int WaitForOutput(const std::string& path, const std::optional<FileIdentity>& before,
                  platform::Clock& clock);
int WaitForOutput(const std::string& path, const std::optional<FileIdentity>& before);

}  // namespace scrivola
