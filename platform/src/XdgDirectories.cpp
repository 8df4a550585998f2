#include "platform/XdgDirectories.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <string_view>

#include "platform/Paths.h"

namespace platform {
namespace {

// The variable's value when it is an absolute path, else the fallback below
// the home folder ("" when there is no home folder either).
std::string BaseDirectory(const char* variable, std::string_view belowHome) {
    const char* value = std::getenv(variable);
    if (value != nullptr && value[0] == '/') {
        return value;
    }
    const std::string home = HomeDirectory();
    return home.empty() ? std::string() : JoinPath(home, belowHome);
}

// The absolute folders of a colon-separated list in the variable, or of the
// fallback list when the variable is unset or empty.
std::vector<std::string> DirectoryList(const char* variable, std::string_view fallback) {
    const char* value = std::getenv(variable);
    const std::string_view list = (value != nullptr && *value != '\0') ? value : fallback;
    std::vector<std::string> directories;
    std::size_t position = 0;
    while (position <= list.size()) {
        std::size_t colon = list.find(':', position);
        if (colon == std::string_view::npos) {
            colon = list.size();
        }
        const std::string_view entry = list.substr(position, colon - position);
        if (!entry.empty() && entry.front() == '/') {
            directories.emplace_back(entry);
        }
        position = colon + 1;
    }
    return directories;
}

}  // namespace

std::string HomeDirectory() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') {
        return home;
    }
    if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr) {
        return entry->pw_dir;
    }
    return {};
}

std::string ConfigHome() {
    return BaseDirectory("XDG_CONFIG_HOME", ".config");
}

std::string DataHome() {
    return BaseDirectory("XDG_DATA_HOME", ".local/share");
}

std::string DocumentsDirectory() {
    return BaseDirectory("XDG_DOCUMENTS_DIR", "Documents");
}

std::vector<std::string> ConfigDirectories() {
    return DirectoryList("XDG_CONFIG_DIRS", "/etc/xdg");
}

std::vector<std::string> DataDirectories() {
    return DirectoryList("XDG_DATA_DIRS", "/usr/local/share:/usr/share");
}

}  // namespace platform
