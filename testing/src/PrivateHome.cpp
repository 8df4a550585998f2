#include "testing/PrivateHome.h"

#include <stdlib.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <system_error>

namespace testsupport {

PrivateHome::PrivateHome() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "scrivola-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::filesystem::filesystem_error("cannot create a private test home", pattern,
                                                std::error_code(errno, std::generic_category()));
    }
    m_root = pattern;
    for (const char* sub : {"home", "config", "data", "cache", "tmp", "files"}) {
        std::filesystem::create_directories(m_root / sub);
    }
    Set("HOME", Home());
    Set("XDG_CONFIG_HOME", m_root / "config");
    Set("XDG_DATA_HOME", m_root / "data");
    Set("XDG_CACHE_HOME", m_root / "cache");
    Set("TMPDIR", Temp());
    // The render service is per user: each test gets its own, which ends by
    // itself once this folder (and its socket) is gone.
    std::filesystem::create_directories(m_root / "runtime");
    std::filesystem::permissions(m_root / "runtime", std::filesystem::perms::owner_all);
    Set("XDG_RUNTIME_DIR", m_root / "runtime");
    // No system-wide printer table: the machine's own printers do not count.
    Set("SCRIVOLA_SYSTEM_PRINTERS", m_root / "etc" / "printers.reg");
    for (const char* name : {"XDG_DOCUMENTS_DIR", "XDG_CURRENT_DESKTOP", "SCRIVOLA_OPEN_COMMAND",
                             "SCRIVOLA_DEBUG_LOG"}) {
        Unset(name);
    }
}

PrivateHome::~PrivateHome() {
    // Latest first, so a variable set twice ends with its value from before the test.
    for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it) {
        if (it->second) {
            setenv(it->first.c_str(), it->second->c_str(), 1);
        } else {
            unsetenv(it->first.c_str());
        }
    }
    std::error_code ignored;
    std::filesystem::remove_all(m_root, ignored);
}

std::string PrivateHome::Path(std::string_view relative) const {
    if (relative.empty()) {
        return m_root.string();
    }
    return m_root.string() + "/" + std::string(relative);
}

std::string PrivateHome::Write(std::string_view relative, std::string_view bytes) const {
    const std::string file = Path(relative);
    std::filesystem::create_directories(std::filesystem::path(file).parent_path());
    WriteFile(file, bytes);
    return file;
}

std::string PrivateHome::MakeFolder(std::string_view relative) const {
    const std::string folder = Path(relative);
    std::filesystem::create_directories(folder);
    return folder;
}

void PrivateHome::Save(const std::string& name) {
    const char* old = std::getenv(name.c_str());
    m_saved.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
}

void PrivateHome::Set(const std::string& name, const std::string& value) {
    Save(name);
    setenv(name.c_str(), value.c_str(), 1);
}

void PrivateHome::Unset(const std::string& name) {
    Save(name);
    unsetenv(name.c_str());
}

std::string ReadFile(const std::string& path) {
    std::ifstream stream(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(stream), {});
}

void WriteFile(const std::string& path, std::string_view bytes) {
    std::ofstream stream(path, std::ios::binary | std::ios::trunc);
    stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace testsupport
