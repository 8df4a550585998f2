#pragma once
// Replacing a file in one step, so readers see either the old or the new one.
#include <cstdio>
#include <functional>
#include <string>

namespace pdftool {

// Calls write with a temporary file in the target's folder, flushes it to
// disk and renames it over path (over the file a symbolic link points to).
// The new file keeps the old one's permissions. When anything fails, write
// included, the temporary file is removed, path is left as it was and a
// ToolError is thrown.
void ReplaceFileAtomically(const std::string& path, const std::function<void(std::FILE*)>& write);

}  // namespace pdftool
