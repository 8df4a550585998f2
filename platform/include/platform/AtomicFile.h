#pragma once
// Replacing a file in one step, so that readers see either the old or the
// new file and a failure never leaves a damaged one behind.
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

namespace platform {

// Calls write with a new temporary file in the target's folder, flushes it
// to disk, renames it over path and flushes the folder. The file replaced is
// the one a symbolic link points to, so the link survives; the new file keeps
// the old one's permissions (a new file gets 0666 less the umask, or
// `newFileMode` when given). When write returns false or throws, or anything
// else fails, the temporary file is removed and path is left as it was; the
// result is false (or the exception passes on) and `error` says why.
bool ReplaceFileAtomically(std::string_view path, const std::function<bool(std::FILE*)>& write,
                           std::string* error = nullptr, int newFileMode = -1);

// The same with the whole contents at once.
bool WriteFileAtomically(std::string_view path, std::string_view contents,
                         std::string* error = nullptr, int newFileMode = -1);

// For files that hold secrets (settings with passwords): the same, but the
// file is readable by its owner alone (0600) whatever mode it had, and its
// folder is made private (0700) first, created if it is missing.
bool WritePrivateFileAtomically(std::string_view path, std::string_view contents,
                                std::string* error = nullptr);

// Creates the folder (and missing parents) with mode 0700, or takes group
// and other access away from an existing one the user owns.
bool MakePrivateFolder(std::string_view path);

}  // namespace platform
