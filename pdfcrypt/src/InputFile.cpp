#include "InputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace pdfcrypt {
namespace {

class ScopedDescriptor {
  public:
    explicit ScopedDescriptor(int fd) : m_fd(fd) {}
    ~ScopedDescriptor() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    ScopedDescriptor(const ScopedDescriptor&) = delete;
    ScopedDescriptor& operator=(const ScopedDescriptor&) = delete;
    int get() const { return m_fd; }

  private:
    int m_fd;
};

}  // namespace

bool ReadRegularFile(const std::string& path, std::int64_t maxSize, std::string& bytes) {
    ScopedDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0) {
        return false;
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_size < 0 ||
        info.st_size > maxSize) {
        return false;
    }
    bytes.assign(static_cast<std::size_t>(info.st_size), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::read(fd.get(), bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            // The file shrank or could not be read: refuse rather than work on part of it.
            return false;
        }
        done += static_cast<std::size_t>(got);
    }
    char extra;
    // A file that grew while being read is not the file we measured.
    return ::read(fd.get(), &extra, 1) == 0;
}

}  // namespace pdfcrypt
