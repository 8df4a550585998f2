// Moving files to the freedesktop trash: the file goes to Trash/files/NAME
// and Trash/info/NAME.trashinfo records where it came from and when.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>

#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/XdgDirectories.h"

namespace platform {

namespace {

std::string TrashDirectory() {
    const std::string dataHome = DataHome();
    return dataHome.empty() ? std::string() : JoinPath(dataHome, "Trash");
}

bool MakePrivateDirectory(const std::string& path) {
    if (IsDirectory(path)) {
        return true;
    }
    const std::size_t slash = path.rfind('/');
    if (slash != std::string::npos && slash > 0 && !MakePrivateDirectory(path.substr(0, slash))) {
        return false;
    }
    return mkdir(path.c_str(), 0700) == 0 || (errno == EEXIST && IsDirectory(path));
}

// Path= is a URL-style path: everything but unreserved characters and '/'
// is percent-encoded.
std::string EncodePath(std::string_view path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    for (const char c : path) {
        const unsigned char u = static_cast<unsigned char>(c);
        const bool plain = (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') ||
                           (u >= '0' && u <= '9') || c == '-' || c == '_' || c == '.' || c == '~' ||
                           c == '/';
        if (plain) {
            encoded += c;
        } else {
            encoded += '%';
            encoded += kHex[u >> 4];
            encoded += kHex[u & 0x0F];
        }
    }
    return encoded;
}

// Absolute path of the entry itself: its folder resolved, its own name
// kept, so a link is trashed as the link.
std::optional<std::string> AbsoluteEntryPath(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::string folder =
        slash == std::string::npos ? std::string(".") : (slash == 0 ? "/" : path.substr(0, slash));
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.empty() || name == "." || name == "..") {
        return std::nullopt;
    }
    char resolved[PATH_MAX];
    if (realpath(folder.c_str(), resolved) == nullptr) {
        return std::nullopt;
    }
    return JoinPath(resolved, name);
}

std::string DeletionDate() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    return text;
}

// Claims NAME.trashinfo (or "NAME.2", "NAME.3", ... on a clash) with O_EXCL;
// the info file is the reservation of the name in files/.
std::optional<std::string> ReserveTrashName(const std::string& trash, const std::string& name,
                                            std::string_view info) {
    const PathParts parts = SplitPath(name);
    for (int counter = 1; counter < 10000; ++counter) {
        const std::string candidate =
            counter == 1 ? name : parts.name + "." + std::to_string(counter) + parts.extension;
        const std::string infoPath = trash + "/info/" + candidate + ".trashinfo";
        const int fd = open(infoPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST) {
                continue;
            }
            return std::nullopt;
        }
        const bool written =
            write(fd, info.data(), info.size()) == static_cast<ssize_t>(info.size()) &&
            fsync(fd) == 0;
        close(fd);
        if (!written || PathExists(trash + "/files/" + candidate)) {
            unlink(infoPath.c_str());
            if (!written) {
                return std::nullopt;
            }
            continue;
        }
        return candidate;
    }
    return std::nullopt;
}

}  // namespace

bool MoveToTrash(std::string_view path) {
    const auto absolute = AbsoluteEntryPath(std::string(path));
    const std::string trash = TrashDirectory();
    struct stat entry {};
    if (!absolute || trash.empty() || lstat(absolute->c_str(), &entry) != 0) {
        return false;
    }
    if (!MakePrivateDirectory(trash + "/files") || !MakePrivateDirectory(trash + "/info")) {
        return false;
    }
    // Only a rename keeps the move atomic; across file systems we refuse
    // rather than copy.
    struct stat trashInfo {};
    if (stat((trash + "/files").c_str(), &trashInfo) != 0 || trashInfo.st_dev != entry.st_dev) {
        return false;
    }
    const std::string info =
        "[Trash Info]\nPath=" + EncodePath(*absolute) + "\nDeletionDate=" + DeletionDate() + "\n";
    const PathParts parts = SplitPath(*absolute);
    const auto name = ReserveTrashName(trash, parts.name + parts.extension, info);
    if (!name) {
        return false;
    }
    if (std::rename(absolute->c_str(), (trash + "/files/" + *name).c_str()) != 0) {
        unlink((trash + "/info/" + *name + ".trashinfo").c_str());
        return false;
    }
    return true;
}

}  // namespace platform
