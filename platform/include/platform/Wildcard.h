#pragma once
// The first-file/next-file search: a folder's entries in the order readdir
// returns them, matched against a name pattern without regard to case.
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// '*' matches any run of characters, '?' any one character; "*.*" matches
// every name, with or without a dot. Letter case is ignored.
bool MatchesWildcard(std::string_view pattern, std::string_view name);

// Names (not paths) of the entries of `directory` (the current folder when
// empty) that match `namePattern`, "." and ".." included when they match.
// An unreadable or missing folder gives no names.
std::vector<std::string> FindMatchingNames(std::string_view directory,
                                           std::string_view namePattern);

}  // namespace platform
