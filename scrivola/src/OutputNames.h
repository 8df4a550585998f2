#pragma once
// Names for outputs that already exist: a free name with a counter, and a
// temporary file for pages that are merged into an existing output.
#include <optional>
#include <string>
#include <string_view>

namespace scrivola {

inline constexpr int kFreeNameTries = 4096;

// Rewrites `path` to the first of name000.ext, name001.ext, ... name4095.ext
// that does not exist. False, with `path` unchanged, when all are taken.
bool MakeFreeName(std::string& path);

// Creates a new empty file "pdf<unique><extension>" in `directory`, never a
// name another process could take first, and returns its path.
std::optional<std::string> MakeTempOutputName(std::string_view extension,
                                              std::string_view directory);
// The same in the system temporary folder.
std::optional<std::string> MakeTempOutputName(std::string_view extension);

}  // namespace scrivola
