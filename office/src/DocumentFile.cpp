#include "DocumentFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "FileDescriptor.h"
#include "platform/Automation.h"

namespace office {

namespace {

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

bool LooksLikeADocument(std::string_view head) {
    // Binary formats LibreOffice reads, by their first bytes.
    static constexpr std::string_view kSignatures[] = {
        std::string_view("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8),  // OLE2: .doc .xls .ppt .vsd
        std::string_view("PK\x03\x04", 4),  // ZIP: Office Open XML, OpenDocument, .vsdx
        "{\\rtf",
        "\xFFWPC",                        // WordPerfect
        std::string_view("\xDB\xA5", 2),  // Word 2
        std::string_view("\x9B\xA5", 2),  // Word 1
        std::string_view("\x09\x00", 2),  // Excel 2 (BIFF2)
        std::string_view("\x09\x02", 2),  // Excel 3
        std::string_view("\x09\x04", 2),  // Excel 4
        std::string_view("\xFF\xFE", 2),  // UTF-16 text, little endian
        std::string_view("\xFE\xFF", 2),  // UTF-16 text, big endian
    };
    for (const std::string_view signature : kSignatures) {
        if (head.substr(0, signature.size()) == signature) {
            return true;
        }
    }
    // A PDF may have a little before its header.
    if (head.substr(0, 1024).find("%PDF-") != std::string_view::npos) {
        return true;
    }
    // Anything else must be text: LibreOffice would import random bytes as
    // a page of garbage and call it converted.
    return head.find('\0') == std::string_view::npos;
}

std::optional<std::string> DocumentOpenProblem(const std::string& path) {
    std::string problem;
    const FileDescriptor document(OpenDocument(path, problem));
    if (document.Get() < 0) {
        return problem;
    }
    char head[4096];
    ssize_t got;
    do {
        got = ::read(document.Get(), head, sizeof head);
    } while (got < 0 && errno == EINTR);
    if (got < 0) {
        return ErrnoText("cannot read", path);
    }
    // LibreOffice opens an empty file as a new, empty document: a blank page
    // that would pass for the converted document.
    if (got == 0) {
        return path + " is empty";
    }
    if (!LooksLikeADocument(std::string_view(head, static_cast<std::size_t>(got)))) {
        return path + " is no document: its bytes match no document format and are not text";
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
