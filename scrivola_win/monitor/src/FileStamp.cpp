#include "FileStamp.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace monitor {

std::optional<FileStamp> RegularFileStamp(const std::string& path) {
    std::optional<FileStamp> stamp = platform::StampOf(path);
    if (!stamp || !stamp->isRegularFile) {
        return std::nullopt;
    }
    return stamp;
}

bool IsBusyOrUnreadable(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return true;
    }
    bool busy = false;
    // A shared lock only fails against a writer's exclusive one, and is
    // released at once, so a writer that locks after us is not held up.
    if (::flock(fd, LOCK_SH | LOCK_NB) != 0) {
        busy = errno == EWOULDBLOCK;
    } else {
        ::flock(fd, LOCK_UN);
    }
    if (!busy) {
        struct flock probe {};
        probe.l_type = F_RDLCK;
        probe.l_whence = SEEK_SET;
        probe.l_start = 0;
        probe.l_len = 0;  // the whole file
        busy = ::fcntl(fd, F_GETLK, &probe) == 0 && probe.l_type == F_WRLCK;
    }
    ::close(fd);
    return busy;
}

bool IsWritableDirectory(const std::string& path) {
    struct stat status {};
    return !path.empty() && ::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode) &&
           ::access(path.c_str(), W_OK | X_OK) == 0;
}

}  // namespace monitor
