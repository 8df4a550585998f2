#include "platform/Paths.h"

#include <algorithm>

namespace platform {

PathParts SplitPath(std::string_view path) {
    PathParts parts;
    const std::size_t slash = path.rfind('/');
    std::string_view last = path;
    if (slash != std::string_view::npos) {
        parts.directory = std::string(path.substr(0, slash + 1));
        last = path.substr(slash + 1);
    }
    const std::size_t dot = last.rfind('.');
    if (dot == std::string_view::npos) {
        parts.name = std::string(last);
    } else {
        parts.name = std::string(last.substr(0, dot));
        parts.extension = std::string(last.substr(dot));
    }
    return parts;
}

std::string JoinPath(std::string_view directory, std::string_view name) {
    std::string joined(directory);
    if (!joined.empty() && joined.back() != '/') {
        joined += '/';
    }
    joined += name;
    return joined;
}

std::string WithTrailingSlash(std::string_view directory) {
    std::string result(directory);
    if (result.empty() || result.back() != '/') {
        result += '/';
    }
    return result;
}

namespace {
char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
}  // namespace

bool EqualsIgnoreCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowerAscii(x) == LowerAscii(y);
           });
}

std::string ToLowerAscii(std::string_view text) {
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(), LowerAscii);
    return result;
}

}  // namespace platform
