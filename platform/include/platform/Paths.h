#pragma once
// Path conventions of this system: '/' separates components, there is no
// drive. A path splits into directory (with its trailing '/'), name and
// extension (the last '.' of the last component and what follows it).
#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// The longest path, in characters, that the system's path fields hold.
// Longer paths are refused by the callers, never cut.
inline constexpr std::size_t kMaxPath = 259;

struct PathParts {
    std::string directory;  // "" or ending in '/'
    std::string name;       // last component without its extension
    std::string extension;  // "" or starting with '.'
};

PathParts SplitPath(std::string_view path);

// directory + '/' (unless it is empty or already ends with '/') + name.
std::string JoinPath(std::string_view directory, std::string_view name);

// Appends '/' unless the text already ends with one.
std::string WithTrailingSlash(std::string_view directory);

bool EqualsIgnoreCase(std::string_view a, std::string_view b);
std::string ToLowerAscii(std::string_view text);

}  // namespace platform
