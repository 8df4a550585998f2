#include "JobWriter.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "Ghostscript.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"

namespace folivo {

namespace {

constexpr char kTempPrefix[] = ".folivo-";
constexpr int kMaxNameAttempts = 1000;

std::string ErrnoText(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

std::string FolderOf(const std::string& path) {
    std::string folder = platform::SplitPath(path).directory;
    if (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    return folder.empty() ? "." : folder;
}

// A file we write, locked for the time we work on it.
class LockedFile {
  public:
    explicit LockedFile(const std::string& path) : m_path(path) {
        m_fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
        if (m_fd >= 0 && ::flock(m_fd, LOCK_EX) != 0) {
            ::close(m_fd);
            m_fd = -1;
        }
    }
    ~LockedFile() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    LockedFile(const LockedFile&) = delete;
    LockedFile& operator=(const LockedFile&) = delete;

    bool IsOpen() const { return m_fd >= 0; }
    int Fd() const { return m_fd; }

    // Ordinary permissions for an output (the temporary file is private),
    // and the data on disk before the name appears.
    bool Finish() {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return ::fchmod(m_fd, 0666 & ~mask) == 0 && ::fsync(m_fd) == 0;
    }

  private:
    std::string m_path;
    int m_fd = -1;
};

std::optional<std::string> CopyPdfJob(const std::string& job, int outputFd) {
    const int input = ::open(job.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (input < 0) {
        return ErrnoText("cannot read the job " + job);
    }
    std::optional<std::string> error;
    char buffer[65536];
    bool first = true;
    for (;;) {
        const ssize_t got = ::read(input, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            error = ErrnoText("cannot read the job " + job);
            break;
        }
        if (got == 0) {
            if (first) {
                error = "the job " + job + " is empty";
            }
            break;
        }
        if (first &&
            std::string_view(buffer, static_cast<std::size_t>(got)).substr(0, 1024).find("%PDF-") ==
                std::string_view::npos) {
            error = "the job " + job + " is not a PDF file";
            break;
        }
        first = false;
        for (ssize_t written = 0; written < got;) {
            const ssize_t put =
                ::write(outputFd, buffer + written, static_cast<std::size_t>(got - written));
            if (put < 0 && errno == EINTR) {
                continue;
            }
            if (put < 0) {
                error = ErrnoText("cannot write the output");
                break;
            }
            written += put;
        }
        if (error) {
            break;
        }
    }
    ::close(input);
    return error;
}

// A private temporary file beside the target, locked.
std::optional<std::string> CreateTempBeside(const std::string& folder, std::string& tempPath) {
    std::optional<std::string> created = platform::CreateUniqueFile(folder, kTempPrefix, ".part");
    if (!created) {
        return ErrnoText("cannot create a file in " + folder);
    }
    tempPath = *created;
    return std::nullopt;
}

WriteResult Failed(std::string message) {
    return WriteResult{{}, std::move(message)};
}

// PDF and multi-page TIFF: one file, written under a temporary name.
WriteResult WriteSingleFile(const std::string& job, const std::string& path, OutputFormat format,
                            int resolutionDpi) {
    std::string temp;
    if (std::optional<std::string> error = CreateTempBeside(FolderOf(path), temp)) {
        return Failed(*error);
    }
    LockedFile output(temp);
    std::optional<std::string> error;
    if (!output.IsOpen()) {
        error = ErrnoText("cannot lock " + temp);
    } else if (format == OutputFormat::Pdf) {
        error = CopyPdfJob(job, output.Fd());
    } else {
        error = RunGhostscript(
            GhostscriptArguments(format, resolutionDpi, EscapeOutputFile(temp), job));
        if (!error && platform::GetFileStatus(temp).value_or(platform::FileStatus{}).size == 0) {
            error = "Ghostscript wrote an empty image";
        }
    }
    if (!error && !output.Finish()) {
        error = ErrnoText("cannot write " + path);
    }
    if (!error && !platform::RenameReplace(temp, path)) {
        error = ErrnoText("cannot replace " + path);
    }
    if (error) {
        platform::DeleteFile(temp);
        return Failed(*error);
    }
    return WriteResult{path, std::nullopt};
}

std::string ImageExtension(const std::string& path) {
    const std::string extension = platform::SplitPath(path).extension;
    return extension.empty() ? ".img" : platform::ToLowerAscii(extension);
}

// One image per page: Ghostscript writes every page into a private folder
// beside the target, then the pages are renamed into place, the first last.
WriteResult WritePageImages(const std::string& job, const std::string& path, OutputFormat format,
                            int resolutionDpi) {
    std::string scratch = platform::JoinPath(FolderOf(path), std::string(kTempPrefix) + "XXXXXX");
    if (::mkdtemp(scratch.data()) == nullptr) {
        return Failed(ErrnoText("cannot create a folder in " + FolderOf(path)));
    }
    const std::string extension = ImageExtension(path);
    const auto pageImage = [&](std::size_t page) {
        return platform::JoinPath(scratch, "page-" + std::to_string(page) + extension);
    };
    std::optional<std::string> error = RunGhostscript(GhostscriptArguments(
        format, resolutionDpi,
        EscapeOutputFile(platform::JoinPath(scratch, "page-")) + "%d" + extension, job));
    if (!error &&
        platform::GetFileStatus(pageImage(1)).value_or(platform::FileStatus{}).size == 0) {
        error = "Ghostscript wrote no page";
    }
    for (std::size_t page = 2; !error && platform::PathExists(pageImage(page)); ++page) {
        if (!platform::RenameReplace(pageImage(page), PageFilePath(path, page))) {
            error = ErrnoText("cannot write " + PageFilePath(path, page));
        }
    }
    if (!error) {
        LockedFile first(pageImage(1));
        if (!first.IsOpen() || !first.Finish()) {
            error = ErrnoText("cannot write " + path);
        } else if (!platform::RenameReplace(pageImage(1), path)) {
            error = ErrnoText("cannot replace " + path);
        }
    }
    platform::RemoveTree(scratch);
    if (error) {
        return Failed(*error);
    }
    return WriteResult{path, std::nullopt};
}

}  // namespace

std::optional<std::string> OutputFolderProblem(const std::string& folder) {
    struct stat status {};
    if (::stat(folder.c_str(), &status) != 0) {
        if (errno == ENOENT || errno == ENOTDIR) {
            return "the output folder " + folder + " does not exist";
        }
        return ErrnoText("cannot reach the output folder " + folder);
    }
    if (!S_ISDIR(status.st_mode)) {
        return folder + " is not a folder";
    }
    if (::access(folder.c_str(), W_OK | X_OK) != 0) {
        return "the output folder " + folder + " is not writable";
    }
    return std::nullopt;
}

WriteResult WriteJobToPath(const std::string& job, const std::string& path, OutputFormat format,
                           int resolutionDpi) {
    if (std::optional<std::string> problem = OutputFolderProblem(FolderOf(path))) {
        return Failed(*problem);
    }
    if (platform::IsDirectory(path)) {
        return Failed(path + " is a folder");
    }
    if (IsSingleImageFormat(format)) {
        return WritePageImages(job, path, format, resolutionDpi);
    }
    return WriteSingleFile(job, path, format, resolutionDpi);
}

WriteResult WriteJobToNewFile(const std::string& job, const std::string& folder,
                              long long unixSeconds) {
    platform::CreateDirectories(folder);
    if (std::optional<std::string> problem = OutputFolderProblem(folder)) {
        return Failed(*problem);
    }
    std::string temp;
    if (std::optional<std::string> error = CreateTempBeside(folder, temp)) {
        return Failed(*error);
    }
    LockedFile output(temp);
    std::optional<std::string> error;
    if (!output.IsOpen()) {
        error = ErrnoText("cannot lock " + temp);
    } else {
        error = CopyPdfJob(job, output.Fd());
    }
    if (!error && !output.Finish()) {
        error = ErrnoText("cannot write in " + folder);
    }
    std::string written;
    // link() never replaces an existing name, unlike rename().
    for (int attempt = 1; !error && written.empty() && attempt <= kMaxNameAttempts; ++attempt) {
        const std::string candidate =
            platform::JoinPath(folder, DefaultOutputName(unixSeconds, attempt));
        if (::link(temp.c_str(), candidate.c_str()) == 0) {
            written = candidate;
        } else if (errno != EEXIST) {
            error = ErrnoText("cannot write " + candidate);
        }
    }
    if (!error && written.empty()) {
        error = "no free file name in " + folder;
    }
    platform::DeleteFile(temp);
    if (error) {
        return Failed(*error);
    }
    return WriteResult{written, std::nullopt};
}

}  // namespace folivo
