#include "pdftool/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

#include "pdftool/ToolError.h"

namespace pdftool {
namespace {

std::string SystemMessage(const std::string& what, int error) {
    return what + ": " + std::strerror(error);
}

// The file to replace: the target of a symbolic link, so the link survives.
std::string ResolveTarget(const std::string& path) {
    std::error_code error;
    if (std::filesystem::exists(path, error)) {
        std::filesystem::path resolved = std::filesystem::canonical(path, error);
        if (!error) {
            return resolved.string();
        }
    }
    return path;
}

std::string FolderOf(const std::string& path) {
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

mode_t CurrentUmask() {
    const mode_t mask = umask(0);
    umask(mask);
    return mask;
}

void SyncFolder(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);  // best effort: the rename is already done
        close(fd);
    }
}

// Owns the temporary file until it has been renamed into place.
class TemporaryFile {
  public:
    explicit TemporaryFile(const std::string& folder) {
        std::string pattern = folder + "/.tools.cfg-XXXXXX";
        std::vector<char> name(pattern.begin(), pattern.end());
        name.push_back('\0');
        const int fd = mkostemp(name.data(), O_CLOEXEC);
        if (fd < 0) {
            throw ToolError(SystemMessage("cannot create a temporary file in " + folder, errno));
        }
        path_ = name.data();
        stream_ = fdopen(fd, "wb");
        if (stream_ == nullptr) {
            const int error = errno;
            close(fd);
            unlink(path_.c_str());
            throw ToolError(SystemMessage("cannot open " + path_, error));
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        if (stream_ != nullptr) {
            std::fclose(stream_);
        }
        if (!committed_) {
            unlink(path_.c_str());
        }
    }

    std::FILE* stream() const { return stream_; }
    int descriptor() const { return fileno(stream_); }

    // Flushes and closes the file; throws when any byte may not have reached the disk.
    void Finish() {
        const bool written = std::fflush(stream_) == 0 && !std::ferror(stream_);
        const int writeError = errno;
        if (!written) {
            throw ToolError(SystemMessage("cannot write " + path_, writeError));
        }
        if (fsync(descriptor()) != 0) {
            throw ToolError(SystemMessage("cannot write " + path_, errno));
        }
        std::FILE* stream = stream_;
        stream_ = nullptr;
        if (std::fclose(stream) != 0) {
            throw ToolError(SystemMessage("cannot write " + path_, errno));
        }
    }

    void RenameTo(const std::string& target) {
        if (std::rename(path_.c_str(), target.c_str()) != 0) {
            throw ToolError(SystemMessage("cannot replace " + target, errno));
        }
        committed_ = true;
    }

  private:
    std::string path_;
    std::FILE* stream_ = nullptr;
    bool committed_ = false;
};

}  // namespace

void ReplaceFileAtomically(const std::string& path, const std::function<void(std::FILE*)>& write) {
    const std::string target = ResolveTarget(path);
    struct stat existing {};
    const bool exists = stat(target.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode)) {
        throw ToolError(target + " is not a regular file");
    }

    const std::string folder = FolderOf(target);
    TemporaryFile temporary(folder);
    if (exists && (existing.st_uid != geteuid() || existing.st_gid != getegid())) {
        // Only possible for a privileged user; keep the owner the file had.
        [[maybe_unused]] const int ignored =
            fchown(temporary.descriptor(), existing.st_uid, existing.st_gid);
    }
    const mode_t mode = exists ? (existing.st_mode & 07777) : (0666 & ~CurrentUmask());
    if (fchmod(temporary.descriptor(), mode) != 0) {
        throw ToolError(SystemMessage("cannot set permissions on a temporary file", errno));
    }

    write(temporary.stream());
    temporary.Finish();
    temporary.RenameTo(target);
    SyncFolder(folder);
}

}  // namespace pdftool
