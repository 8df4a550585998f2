#pragma once
// File attributes, deletion and temporary names (atomic replacement: AtomicFile.h).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

struct FileStatus {
    bool isDirectory = false;
    std::uint64_t size = 0;
    std::int64_t modifiedSeconds = 0;
};

// What tells one version of a file from the next: a file replaced by rename
// has a new inode, one rewritten in place a new modification time or size.
struct FileStamp {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;
    bool isRegularFile = false;
    bool isDirectory = false;

    bool operator==(const FileStamp&) const = default;
};

// The stamp of whatever is at the path, or nothing when nothing is there.
std::optional<FileStamp> StampOf(std::string_view path);

// Attributes of a path, or nothing when they cannot be read (missing file).
std::optional<FileStatus> GetFileStatus(std::string_view path);
bool PathExists(std::string_view path);
bool IsDirectory(std::string_view path);

// True when both paths name one existing file (the same device and inode,
// so links and different spellings of a path count as the same).
bool IsSameFile(std::string_view a, std::string_view b);

// Removes a file (not a directory). False when nothing was removed.
bool DeleteFile(std::string_view path);

// Renames, replacing an existing target (atomic on one file system).
bool RenameReplace(std::string_view from, std::string_view to);

std::optional<std::string> ReadWholeFile(std::string_view path);

// Creates every missing folder of the path (like mkdir -p).
bool CreateDirectories(std::string_view path);

// $TMPDIR when set and non-empty, else /tmp; no trailing '/'.
std::string TempDirectory();

// Creates a new empty file "<directory>/<prefix><unique><suffix>" with
// O_EXCL, so no other process can take the same name first. Returns its path.
std::optional<std::string> CreateUniqueFile(std::string_view directory, std::string_view prefix,
                                            std::string_view suffix);

// Creates a new private folder (mode 0700) "<TempDirectory()>/<prefix>XXXXXX".
std::optional<std::string> CreateTempDirectory(std::string_view prefix);

// Removes a folder and everything in it; for the program's own temporary folders.
bool RemoveTree(std::string_view path);

// Moves a file the user owns to the freedesktop trash
// ($XDG_DATA_HOME/Trash, default ~/.local/share/Trash).
bool MoveToTrash(std::string_view path);

}  // namespace platform
