#include "scrivola/drivers/PrinterJobLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/DebugLog.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Registry.h"

namespace scrivola {

std::string PrinterJobLockPath() {
    return platform::JoinPath(platform::ConfigDirectory(), "printer.lock");
}

PrinterJobLock::PrinterJobLock(const std::string& lockPath) {
    platform::CreateDirectories(platform::SplitPath(lockPath).directory);
    fd_ = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd_ < 0) {
        platform::OutputDebugText("cannot open " + lockPath + ": " + std::strerror(errno) + "\n");
        return;
    }
    while (::flock(fd_, LOCK_EX) != 0) {
        if (errno != EINTR) {
            platform::OutputDebugText("cannot lock " + lockPath + ": " + std::strerror(errno) +
                                      "\n");
            ::close(fd_);
            fd_ = -1;
            return;
        }
    }
}

PrinterJobLock::~PrinterJobLock() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

}  // namespace scrivola
