#include "platform/FileSystem.h"

#include <fcntl.h>
#include <ftw.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "platform/Paths.h"

namespace platform {

namespace {

// Six characters that make a name hard to guess, with a counter so that two
// calls in one process never repeat.
std::string UniquePart() {
    static std::atomic<unsigned> counter{0};
    thread_local std::mt19937 generator{std::random_device{}()};
    static constexpr char kAlphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    const unsigned mixed = generator() ^ (counter.fetch_add(1) * 2654435761u);
    std::string part;
    unsigned value = mixed;
    for (int i = 0; i < 6; ++i) {
        part += kAlphabet[value % 36];
        value /= 36;
    }
    return part;
}

}  // namespace

std::optional<FileStatus> GetFileStatus(std::string_view path) {
    struct stat info {};
    if (stat(std::string(path).c_str(), &info) != 0) {
        return std::nullopt;
    }
    FileStatus status;
    status.isDirectory = S_ISDIR(info.st_mode);
    status.size = static_cast<std::uint64_t>(info.st_size);
    status.modifiedSeconds = static_cast<std::int64_t>(info.st_mtime);
    return status;
}

bool PathExists(std::string_view path) {
    return GetFileStatus(path).has_value();
}

bool IsDirectory(std::string_view path) {
    const auto status = GetFileStatus(path);
    return status && status->isDirectory;
}

std::optional<FileStamp> StampOf(std::string_view path) {
    struct stat status {};
    if (stat(std::string(path).c_str(), &status) != 0) {
        return std::nullopt;
    }
    FileStamp stamp;
    stamp.device = static_cast<std::uint64_t>(status.st_dev);
    stamp.inode = static_cast<std::uint64_t>(status.st_ino);
    stamp.size = static_cast<std::int64_t>(status.st_size);
    stamp.modifiedSeconds = static_cast<std::int64_t>(status.st_mtim.tv_sec);
    stamp.modifiedNanoseconds = static_cast<std::int64_t>(status.st_mtim.tv_nsec);
    stamp.isRegularFile = S_ISREG(status.st_mode);
    stamp.isDirectory = S_ISDIR(status.st_mode);
    return stamp;
}

bool IsSameFile(std::string_view a, std::string_view b) {
    struct stat first {};
    struct stat second {};
    return stat(std::string(a).c_str(), &first) == 0 &&
           stat(std::string(b).c_str(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

bool DeleteFile(std::string_view path) {
    const std::string target(path);
    struct stat info {};
    if (lstat(target.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) {
        return false;
    }
    return unlink(target.c_str()) == 0;
}

bool RenameReplace(std::string_view from, std::string_view to) {
    return std::rename(std::string(from).c_str(), std::string(to).c_str()) == 0;
}

std::optional<std::string> ReadWholeFile(std::string_view path) {
    const int fd = open(std::string(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    std::string contents;
    char buffer[65536];
    for (;;) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            close(fd);
            return std::nullopt;
        }
        if (got == 0) {
            break;
        }
        contents.append(buffer, static_cast<std::size_t>(got));
    }
    close(fd);
    return contents;
}

bool CreateDirectories(std::string_view path) {
    if (path.empty()) {
        return false;
    }
    std::string current;
    std::size_t position = 0;
    while (position <= path.size()) {
        std::size_t slash = path.find('/', position);
        if (slash == std::string_view::npos) {
            slash = path.size();
        }
        current = std::string(path.substr(0, slash));
        if (!current.empty() && mkdir(current.c_str(), 0777) != 0 && errno != EEXIST) {
            return false;
        }
        position = slash + 1;
    }
    return IsDirectory(path);
}

std::string TempDirectory() {
    const char* tmp = std::getenv("TMPDIR");
    std::string directory = (tmp != nullptr && *tmp != '\0') ? std::string(tmp) : "/tmp";
    while (directory.size() > 1 && directory.back() == '/') {
        directory.pop_back();
    }
    return directory;
}

std::optional<std::string> CreateUniqueFile(std::string_view directory, std::string_view prefix,
                                            std::string_view suffix) {
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const std::string candidate =
            JoinPath(directory, std::string(prefix) + UniquePart() + std::string(suffix));
        const int fd = open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0) {
            close(fd);
            return candidate;
        }
        if (errno != EEXIST) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

std::optional<std::string> CreateTempDirectory(std::string_view prefix) {
    std::string pattern = JoinPath(TempDirectory(), std::string(prefix) + "XXXXXX");
    if (mkdtemp(pattern.data()) == nullptr) {
        return std::nullopt;
    }
    return pattern;
}

bool RemoveTree(std::string_view path) {
    const std::string root(path);
    struct stat info {};
    if (lstat(root.c_str(), &info) != 0) {
        return false;
    }
    if (!S_ISDIR(info.st_mode)) {
        return unlink(root.c_str()) == 0;
    }
    // Depth first and without following links, so a link inside never
    // leads the removal out of the tree.
    const auto removeEntry = [](const char* entry, const struct stat*, int, struct FTW*) {
        return std::remove(entry) == 0 ? 0 : -1;
    };
    return nftw(root.c_str(), removeEntry, 16, FTW_DEPTH | FTW_PHYS) == 0;
}

}  // namespace platform
