#include "FileDescriptor.h"

#include <unistd.h>

#include <cerrno>

namespace office {

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
    if (this != &other) {
        Reset(other.Release());
    }
    return *this;
}

int FileDescriptor::Release() {
    const int fd = m_fd;
    m_fd = -1;
    return fd;
}

void FileDescriptor::Reset(int fd) {
    if (m_fd >= 0) {
        const int saved = errno;
        ::close(m_fd);
        errno = saved;
    }
    m_fd = fd;
}

}  // namespace office
