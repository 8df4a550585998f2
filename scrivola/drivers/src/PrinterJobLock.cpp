#include "PrinterJobLock.h"

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
    m_fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (m_fd < 0) {
        platform::OutputDebugText("cannot open " + lockPath + ": " + std::strerror(errno) + "\n");
        return;
    }
    while (::flock(m_fd, LOCK_EX) != 0) {
        if (errno != EINTR) {
            platform::OutputDebugText("cannot lock " + lockPath + ": " + std::strerror(errno) +
                                      "\n");
            ::close(m_fd);
            m_fd = -1;
            return;
        }
    }
}

PrinterJobLock::~PrinterJobLock() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

}  // namespace scrivola
