#include "ServiceFolder.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "platform/FileSystem.h"
#include "platform/Paths.h"

namespace office::render {

std::optional<std::string> PrivateFolderProblem(const std::string& path, uid_t owner) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0) {
        return "cannot read the status of " + path + ": " + std::strerror(errno);
    }
    if (!S_ISDIR(status.st_mode)) {
        return path + " is not a folder";
    }
    if (status.st_uid != owner) {
        return path + " belongs to another user";
    }
    if ((status.st_mode & 0077) != 0) {
        return path + " is open to other users";
    }
    return std::nullopt;
}

std::variant<ServicePaths, std::string> PrepareServiceFolder() {
    const uid_t user = ::geteuid();
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    ServicePaths paths;
    if (runtime != nullptr && runtime[0] == '/') {
        paths.folder = platform::JoinPath(runtime, "scrivola");
    } else {
        paths.folder = platform::JoinPath(platform::TempDirectory(),
                                          "scrivola_render-" + std::to_string(user));
    }
    if (::mkdir(paths.folder.c_str(), 0700) != 0 && errno != EEXIST) {
        return "cannot create " + paths.folder + ": " + std::strerror(errno);
    }
    if (std::optional<std::string> problem = PrivateFolderProblem(paths.folder, user)) {
        return *problem;
    }
    paths.socket = platform::JoinPath(paths.folder, "render.socket");
    paths.lock = platform::JoinPath(paths.folder, "render.lock");
    // A socket address has room for a fixed number of bytes; a longer path
    // would name a different socket.
    if (paths.socket.size() >= sizeof(sockaddr_un{}.sun_path)) {
        return "the socket path " + paths.socket + " is too long";
    }
    return paths;
}

std::string ServiceTempFolder(const ServicePaths& paths, pid_t pid) {
    return platform::JoinPath(paths.folder, "tmp-" + std::to_string(pid));
}

void RemoveDeadServiceFolders(const ServicePaths& paths) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(paths.folder, error)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("tmp-", 0) != 0) {
            continue;
        }
        char* end = nullptr;
        const long pid = std::strtol(name.c_str() + 4, &end, 10);
        if (*end == '\0' && pid > 0 && !IsProcessRunning(static_cast<pid_t>(pid))) {
            platform::RemoveTree(entry.path().string());
        }
    }
}

bool IsProcessRunning(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    const std::string text((std::istreambuf_iterator<char>(stat)),
                           std::istreambuf_iterator<char>());
    const std::size_t end = text.rfind(')');
    return end != std::string::npos && end + 2 < text.size() && text[end + 2] != 'Z' &&
           text[end + 2] != 'X';
}

}  // namespace office::render
