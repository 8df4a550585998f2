#include "platform/DebugLog.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace platform {

void OutputDebugText(std::string_view text) {
    const char* logPath = std::getenv("SCRIVOLA_DEBUG_LOG");
    if (logPath == nullptr || *logPath == '\0') {
        return;
    }
    // O_APPEND keeps writes of several processes (front end and converter)
    // from overwriting each other.
    // Never through a link: another user could point a planted one anywhere.
    const int fd = open(logPath, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        return;
    }
    const char* data = text.data();
    std::size_t left = text.size();
    while (left > 0) {
        const ssize_t written = write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            break;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    close(fd);
}

void ReportProblem(std::string_view line) {
    std::string text(line);
    text += '\n';
    std::fputs(text.c_str(), stderr);
    std::fflush(stderr);
    OutputDebugText(text);
}

}  // namespace platform
