#include "DebugChannel.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

namespace pdfcrypt {

// Not platform's DebugLog: the engine links nothing but the standard library.
void WriteDebugLine(std::string_view line) {
    const char* path = std::getenv("SCRIVOLA_DEBUG_LOG");
    if (path == nullptr || *path == '\0') {
        return;
    }
    const int fd = ::open(path, O_WRONLY | O_CREAT | O_APPEND | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        return;
    }
    std::string text(line);
    text += '\n';
    // One write keeps the line whole among other writers of the same log.
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t written = ::write(fd, text.data() + done, text.size() - done);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            break;
        }
        done += static_cast<std::size_t>(written);
    }
    ::close(fd);
}

}  // namespace pdfcrypt
