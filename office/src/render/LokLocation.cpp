#include "LokLocation.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/FileSystem.h"
#include "platform/Paths.h"

namespace office::render {

std::string LokProgramFolder(const std::string& soffice) {
    if (const char* folder = std::getenv(kProgramFolderVariable); folder != nullptr && *folder) {
        return folder;
    }
    // /usr/bin/soffice is a link into the program folder.
    std::error_code error;
    const std::filesystem::path real = std::filesystem::canonical(soffice, error);
    return (error ? std::filesystem::path(soffice) : real).parent_path().string();
}

std::optional<std::string> LokFolderProblem(const std::string& folder) {
    // The names the loader tries: the application library, or the merged
    // library of builds that link everything into one.
    for (const char* library : {"libsofficeapp.so", "libmergedlo.so"}) {
        const std::optional<platform::FileStatus> status =
            platform::GetFileStatus(platform::JoinPath(folder, library));
        if (status && !status->isDirectory) {
            return std::nullopt;
        }
    }
    return "LibreOfficeKit is not in " + folder;
}

}  // namespace office::render
