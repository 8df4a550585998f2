#include "runner/FreeName.h"

#include <cstdio>

#include "platform/Paths.h"

namespace runner {

std::string MakeFreeName(std::string_view path, const PathExistsFunction& exists) {
    const platform::PathParts parts = platform::SplitPath(path);
    std::string candidate;
    for (int i = 0; i < kMaxFreeNameTries; ++i) {
        char counter[16];
        std::snprintf(counter, sizeof counter, "%03d", i);
        candidate = parts.directory + parts.name + counter + parts.extension;
        if (!exists(candidate)) {
            break;
        }
    }
    return candidate;
}

}  // namespace runner
