#include "DocumentFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/Automation.h"

namespace office {

namespace {

class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int Get() const { return m_fd; }

  private:
    int m_fd;
};

std::string ErrnoText(const std::string& what, const std::string& path) {
    return what + " " + path + ": " + std::strerror(errno);
}

// Opens for reading; O_NONBLOCK so that a pipe named like a document cannot
// block us before the type check refuses it.
int OpenDocument(const std::string& path, std::string& problem) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        problem = ErrnoText("cannot open", path);
        return -1;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        problem = ErrnoText("cannot read the status of", path);
        ::close(fd);
        return -1;
    }
    if (!S_ISREG(status.st_mode)) {
        problem = path + " is not a regular file";
        ::close(fd);
        return -1;
    }
    return fd;
}

void Fail(const std::string& message) {
    throw platform::automation::AutomationError(platform::automation::DISP_E_EXCEPTION, message);
}

}  // namespace

std::optional<std::string> DocumentOpenProblem(const std::string& path) {
    std::string problem;
    const FileDescriptor document(OpenDocument(path, problem));
    if (document.Get() < 0) {
        return problem;
    }
    char probe = 0;
    const ssize_t got = ::read(document.Get(), &probe, 1);
    if (got < 0) {
        return ErrnoText("cannot read", path);
    }
    // LibreOffice opens an empty file as a new, empty document: a blank page
    // that would pass for the converted document.
    if (got == 0) {
        return path + " is empty";
    }
    return std::nullopt;
}

void CopyDocument(const std::string& source, const std::string& destination) {
    std::string problem;
    const FileDescriptor input(OpenDocument(source, problem));
    if (input.Get() < 0) {
        Fail(problem);
    }
    const FileDescriptor output(
        ::open(destination.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600));
    if (output.Get() < 0) {
        Fail(ErrnoText("cannot create", destination));
    }
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(input.Get(), buffer, sizeof buffer);
        if (got == 0) {
            break;
        }
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            Fail(ErrnoText("cannot read", source));
        }
        ssize_t written = 0;
        while (written < got) {
            const ssize_t put =
                ::write(output.Get(), buffer + written, static_cast<std::size_t>(got - written));
            if (put < 0) {
                if (errno == EINTR) {
                    continue;
                }
                Fail(ErrnoText("cannot write", destination));
            }
            written += put;
        }
    }
}

}  // namespace office
