#include "platform/ProgramPath.h"

#include <unistd.h>

#include <vector>

namespace platform {

std::string RunningProgramPath() {
    // readlink does not report truncation, so grow until the link fits.
    std::vector<char> buffer(256);
    for (;;) {
        const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) {
            return {};
        }
        if (static_cast<std::size_t>(length) < buffer.size()) {
            return std::string(buffer.data(), static_cast<std::size_t>(length));
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::string RunningProgramDirectory() {
    const std::string path = RunningProgramPath();
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return "./";
    }
    return path.substr(0, slash + 1);
}

}  // namespace platform
