#include "OutputNames.h"

#include <cstdio>

#include "platform/FileSystem.h"
#include "platform/Paths.h"

namespace scrivola {

bool MakeFreeName(std::string& path) {
    const platform::PathParts parts = platform::SplitPath(path);
    for (int counter = 0; counter < kFreeNameTries; ++counter) {
        char number[16];
        std::snprintf(number, sizeof number, "%03d", counter);
        std::string candidate = parts.directory + parts.name + number + parts.extension;
        if (!platform::PathExists(candidate)) {
            path = std::move(candidate);
            return true;
        }
    }
    return false;
}

std::optional<std::string> MakeTempOutputName(std::string_view extension,
                                              std::string_view directory) {
    return platform::CreateUniqueFile(directory, "pdf", extension);
}

std::optional<std::string> MakeTempOutputName(std::string_view extension) {
    return MakeTempOutputName(extension, platform::TempDirectory());
}

}  // namespace scrivola
