#pragma once
// The monitor's looks at a file: its stamp (platform::FileStamp tells one
// state of a file from the next), whether a writer holds it, and whether a
// folder takes new files.
#include <optional>
#include <string>

#include "platform/FileSystem.h"

namespace monitor {

using platform::FileStamp;

// The stamp of a regular file; nothing when it is missing or not a file.
std::optional<FileStamp> RegularFileStamp(const std::string& path);

// True when another process holds a write lock on the file (flock or a
// POSIX record lock), or when the file cannot be opened for reading at all.
bool IsBusyOrUnreadable(const std::string& path);

// A folder this user can create files in.
bool IsWritableDirectory(const std::string& path);

}  // namespace monitor
