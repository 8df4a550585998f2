// Not the application's shared file helper: the engine stays standard-library only.
#include "AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <random>

namespace pdfcrypt {
namespace {

constexpr int kNameAttempts = 64;

std::string ResolveTarget(const std::string& target) {
    struct stat info {};
    if (::lstat(target.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        if (char* resolved = ::realpath(target.c_str(), nullptr)) {
            std::string path(resolved);
            std::free(resolved);
            return path;
        }
    }
    return target;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A fresh hidden name beside the target, created exclusively so no other process can own it.
// The name is short and does not repeat the target's, which may already be as long as a name
// can be.
int CreateTemporary(const std::string& target, std::string& temporary) {
    std::random_device device;
    std::mt19937_64 random((static_cast<std::uint64_t>(device()) << 32) ^ device() ^
                           static_cast<std::uint64_t>(::getpid()));
    const std::string folder = FolderOf(target);
    static constexpr char kAlphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        std::string suffix(8, 'x');
        for (char& c : suffix) {
            c = kAlphabet[random() % (sizeof(kAlphabet) - 1)];
        }
        temporary = folder + "/.pdfcrypt-" + suffix + ".tmp";
        // 0666 lets the umask decide, as for any new file.
        const int fd =
            ::open(temporary.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

}  // namespace

std::string ReadFileAt(int fd, std::int64_t offset, std::size_t length) {
    std::string bytes(length, '\0');
    std::size_t done = 0;
    while (done < length && offset >= 0) {
        const ssize_t got = ::pread(fd, bytes.data() + done, length - done,
                                    static_cast<off_t>(offset + static_cast<std::int64_t>(done)));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    bytes.resize(done);
    return bytes;
}

bool ReplaceFileAtomically(const std::string& requestedTarget,
                           const std::function<bool(OutputSink&)>& produce,
                           const std::function<bool(int fd)>& verify) {
    const std::string target = ResolveTarget(requestedTarget);
    // A file its owner made read-only is not replaced behind their back.
    if (::access(target.c_str(), F_OK) == 0 && ::access(target.c_str(), W_OK) != 0) {
        return false;
    }
    std::string temporary;
    const int fd = CreateTemporary(target, temporary);
    if (fd < 0) {
        return false;
    }
    bool ok = true;
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) {
        ok = S_ISREG(existing.st_mode) && ::fchmod(fd, existing.st_mode & 07777) == 0;
    }
    if (ok) {
        FileDescriptorSink sink(fd);
        ok = produce(sink) && sink.Flush() && ::fsync(fd) == 0 && verify(fd);
    }
    ok = ::close(fd) == 0 && ok;
    ok = ok && ::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    SyncFolder(FolderOf(target));
    return true;
}

}  // namespace pdfcrypt
