#include "platform/Wildcard.h"

#include <dirent.h>

#include "platform/Paths.h"

namespace platform {

namespace {
char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Iterative matcher with one backtrack point: linear in practice and free
// of the exponential blow-up a recursive matcher has on "*a*a*a*b".
bool Match(std::string_view pattern, std::string_view name) {
    std::size_t p = 0;
    std::size_t n = 0;
    std::size_t starP = std::string_view::npos;
    std::size_t starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == '?' || Lower(pattern[p]) == Lower(name[n]))) {
            ++p;
            ++n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') {
        ++p;
    }
    return p == pattern.size();
}
}  // namespace

bool MatchesWildcard(std::string_view pattern, std::string_view name) {
    // A trailing ".*" also accepts names without that dot, as the search this
    // stands in for does; so "*.*" matches every name.
    if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*" &&
        Match(pattern.substr(0, pattern.size() - 2), name)) {
        return true;
    }
    return Match(pattern, name);
}

std::vector<std::string> FindMatchingNames(std::string_view directory,
                                           std::string_view namePattern) {
    std::vector<std::string> names;
    const std::string folder = directory.empty() ? std::string(".") : std::string(directory);
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) {
        return names;
    }
    while (const dirent* entry = readdir(dir)) {
        std::string_view name(entry->d_name);
        if (MatchesWildcard(namePattern, name)) {
            names.emplace_back(name);
        }
    }
    closedir(dir);
    return names;
}

}  // namespace platform
