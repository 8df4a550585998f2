#include "platform/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace platform {
namespace {

std::string SystemMessage(const std::string& what, int error) {
    return what + ": " + std::strerror(error);
}

// The file to replace: the target of a symbolic link, so the link survives.
std::string ResolveTarget(const std::string& path) {
    std::error_code error;
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(path, error))) {
        const std::filesystem::path resolved = std::filesystem::weakly_canonical(path, error);
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
    // umask can only be read by setting it; done once, before any threads
    // of ours write files.
    static const mode_t mask = [] {
        const mode_t old = umask(022);
        umask(old);
        return old;
    }();
    return mask;
}

void SyncFolder(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);  // best effort: the rename is already done
        close(fd);
    }
}

// Owns the temporary file until it has been renamed into place. Its name is
// short whatever the target's, so a target near the file system's limit on
// name length can still be replaced.
class TemporaryFile {
  public:
    explicit TemporaryFile(const std::string& folder) {
        std::string name = folder + "/.scrivola-XXXXXX";
        const int fd = mkostemp(name.data(), O_CLOEXEC);
        if (fd < 0) {
            m_error = SystemMessage("cannot create a temporary file in " + folder, errno);
            return;
        }
        m_path = name;
        m_stream = fdopen(fd, "wb");
        if (m_stream == nullptr) {
            m_error = SystemMessage("cannot open " + m_path, errno);
            close(fd);
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        if (m_stream != nullptr) {
            std::fclose(m_stream);
        }
        if (!m_path.empty() && !m_committed) {
            unlink(m_path.c_str());
        }
    }

    bool IsOpen() const { return m_stream != nullptr; }
    const std::string& Error() const { return m_error; }
    std::FILE* Stream() const { return m_stream; }
    int Descriptor() const { return fileno(m_stream); }

    // Flushes and closes the file; false when any byte may not have reached the disk.
    bool Finish() {
        if (std::fflush(m_stream) != 0 || std::ferror(m_stream) || fsync(Descriptor()) != 0) {
            m_error = SystemMessage("cannot write " + m_path, errno);
            return false;
        }
        std::FILE* stream = m_stream;
        m_stream = nullptr;
        if (std::fclose(stream) != 0) {
            m_error = SystemMessage("cannot write " + m_path, errno);
            return false;
        }
        return true;
    }

    bool RenameTo(const std::string& target) {
        if (std::rename(m_path.c_str(), target.c_str()) != 0) {
            m_error = SystemMessage("cannot replace " + target, errno);
            return false;
        }
        m_committed = true;
        return true;
    }

  private:
    std::string m_path;
    std::string m_error;
    std::FILE* m_stream = nullptr;
    bool m_committed = false;
};

bool Fail(std::string* error, const std::string& message) {
    if (error != nullptr) {
        *error = message;
    }
    return false;
}

// The replacement with the mode policy: `forcedMode` for every file, else
// the old file's mode, else `newFileMode`, else the umask's.
bool Replace(std::string_view path, const std::function<bool(std::FILE*)>& write,
             std::string* error, int forcedMode, int newFileMode) {
    const std::string target = ResolveTarget(std::string(path));
    struct stat existing {};
    const bool exists = stat(target.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode)) {
        return Fail(error, target + " is not a regular file");
    }

    const std::string folder = FolderOf(target);
    TemporaryFile temporary(folder);
    if (!temporary.IsOpen()) {
        return Fail(error, temporary.Error());
    }
    if (exists && (existing.st_uid != geteuid() || existing.st_gid != getegid())) {
        // Only possible for a privileged user; keep the owner the file had.
        [[maybe_unused]] const int ignored =
            fchown(temporary.Descriptor(), existing.st_uid, existing.st_gid);
    }
    const mode_t mode = forcedMode >= 0    ? static_cast<mode_t>(forcedMode)
                        : exists           ? (existing.st_mode & 07777)
                        : newFileMode >= 0 ? static_cast<mode_t>(newFileMode)
                                           : (0666 & ~CurrentUmask());
    if (fchmod(temporary.Descriptor(), mode) != 0) {
        return Fail(error, SystemMessage("cannot set permissions on a temporary file", errno));
    }

    if (!write(temporary.Stream())) {
        return Fail(error, "cannot write the new contents of " + target);
    }
    if (!temporary.Finish() || !temporary.RenameTo(target)) {
        return Fail(error, temporary.Error());
    }
    SyncFolder(folder);
    return true;
}

std::function<bool(std::FILE*)> WriterOf(std::string_view contents) {
    return [contents](std::FILE* stream) {
        return std::fwrite(contents.data(), 1, contents.size(), stream) == contents.size();
    };
}

}  // namespace

bool ReplaceFileAtomically(std::string_view path, const std::function<bool(std::FILE*)>& write,
                           std::string* error, int newFileMode) {
    return Replace(path, write, error, -1, newFileMode);
}

bool WriteFileAtomically(std::string_view path, std::string_view contents, std::string* error,
                         int newFileMode) {
    return Replace(path, WriterOf(contents), error, -1, newFileMode);
}

bool WritePrivateFileAtomically(std::string_view path, std::string_view contents,
                                std::string* error) {
    const std::string target = ResolveTarget(std::string(path));
    if (!MakePrivateFolder(FolderOf(target))) {
        return Fail(error, "cannot make the folder of " + target + " private");
    }
    return Replace(target, WriterOf(contents), error, 0600, 0600);
}

bool MakePrivateFolder(std::string_view path) {
    const std::string folder(path);
    struct stat info {};
    if (stat(folder.c_str(), &info) != 0) {
        std::error_code ignored;
        std::filesystem::create_directories(std::filesystem::path(folder).parent_path(), ignored);
        if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
            return false;
        }
        return stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
    }
    if (!S_ISDIR(info.st_mode)) {
        return false;
    }
    if (info.st_uid == geteuid() && (info.st_mode & 077) != 0) {
        return chmod(folder.c_str(), info.st_mode & 0700) == 0;
    }
    return true;
}

}  // namespace platform
