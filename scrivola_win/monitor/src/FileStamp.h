#pragma once
// What tells one state of a file from the next: identity, size and the
// modification time to the nanosecond.
#include <cstdint>
#include <optional>
#include <string>

namespace monitor {

struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;

    bool operator==(const FileStamp&) const = default;
};

// The stamp of a regular file; nothing when it is missing or not a file.
std::optional<FileStamp> StampOf(const std::string& path);

// True when another process holds a write lock on the file (flock or a
// POSIX record lock), or when the file cannot be opened for reading at all.
bool IsBusyOrUnreadable(const std::string& path);

// A folder this user can create files in.
bool IsWritableDirectory(const std::string& path);

}  // namespace monitor
