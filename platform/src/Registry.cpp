#include "platform/Registry.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <functional>

#include "RegistryFormat.h"
#include "platform/AtomicFile.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/XdgDirectories.h"

namespace platform {

namespace fmt = registry_format;

namespace {

std::string ParentDirectory(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Missing folders are made private: the registry holds the user's settings.
bool CreatePrivateDirectories(const std::string& path) {
    std::size_t position = 1;
    for (;;) {
        const std::size_t slash = path.find('/', position);
        const std::string prefix = path.substr(0, slash);
        if (!prefix.empty() && mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST) {
            return false;
        }
        if (slash == std::string::npos) {
            break;
        }
        position = slash + 1;
    }
    return IsDirectory(path);
}

// Nothing when the file exists but cannot be read, so a write never
// replaces settings it could not see.
std::optional<fmt::Document> LoadDocument(const std::string& path) {
    if (auto text = ReadWholeFile(path)) {
        // A file without the export header anywhere is no registry file (a
        // damaged or foreign one): it is neither read nor ever rewritten.
        if (!text->empty() &&
            text->find("Windows Registry Editor Version 5.00") == std::string::npos &&
            text->find("REGEDIT4") == std::string::npos) {
            return std::nullopt;
        }
        return fmt::Parse(*text);
    }
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 && errno == ENOENT) {
        return fmt::Document{};
    }
    return std::nullopt;
}

class FileLock {
  public:
    explicit FileLock(const std::string& path)
        : m_fd(open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {
        if (m_fd < 0) {
            return;
        }
        int result;
        do {
            result = flock(m_fd, LOCK_EX);
        } while (result != 0 && errno == EINTR);
        m_locked = result == 0;
    }
    ~FileLock() {
        if (m_fd >= 0) {
            close(m_fd);  // releases the lock
        }
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    bool Locked() const { return m_locked; }

  private:
    int m_fd;
    bool m_locked = false;
};

// Applies one change to the file as it is on disk now, under the lock, and
// replaces the file atomically. The change returns false to leave it as is.
bool UpdateDocument(const std::string& path, bool secret,
                    const std::function<bool(fmt::Document&)>& change) {
    if (!CreatePrivateDirectories(ParentDirectory(path))) {
        return false;
    }
    FileLock lock(path + ".lock");
    if (!lock.Locked()) {
        return false;
    }
    auto document = LoadDocument(path);
    if (!document || !change(*document)) {
        return false;
    }
    return secret ? WritePrivateFileAtomically(path, fmt::Serialize(*document))
                  : WriteFileAtomically(path, fmt::Serialize(*document));
}

const fmt::Key* FindKey(const fmt::Document& document, const std::string& path) {
    for (const fmt::Key& key : document.keys) {
        if (fmt::PathEquals(key.path, path)) {
            return &key;
        }
    }
    return nullptr;
}

fmt::Key& FindOrCreateKey(fmt::Document& document, const std::string& path) {
    for (fmt::Key& key : document.keys) {
        if (fmt::PathEquals(key.path, path)) {
            return key;
        }
    }
    document.keys.push_back(fmt::Key{path, {}});
    return document.keys.back();
}

void SetValue(fmt::Key& key, const std::string& name, const RegistryValue& data) {
    for (fmt::Value& value : key.values) {
        if (EqualsIgnoreCase(value.name, name)) {
            value.data = data;
            return;
        }
    }
    key.values.push_back(fmt::Value{name, data});
}

bool HasKeyAt(const fmt::Document& document, const std::string& path) {
    for (const fmt::Key& key : document.keys) {
        if (fmt::PathEquals(key.path, path) || fmt::PathIsBelow(key.path, path)) {
            return true;
        }
    }
    return false;
}

}  // namespace

Registry::Registry(std::string filePath, Access access)
    : m_filePath(std::move(filePath)), m_access(access) {}

Registry Registry::CurrentUser() {
    return Registry(ConfigDirectory() + "/registry.reg");
}

bool Registry::KeyExists(std::string_view key) const {
    const auto document = LoadDocument(m_filePath);
    // A key with keys below it exists even when it has no section of its own.
    return document && HasKeyAt(*document, fmt::CurrentUserPath(key));
}

std::optional<std::vector<std::pair<std::string, RegistryValue>>> Registry::ReadKey(
    std::string_view key) const {
    const auto document = LoadDocument(m_filePath);
    const std::string path = fmt::CurrentUserPath(key);
    if (!document || !HasKeyAt(*document, path)) {
        return std::nullopt;
    }
    std::vector<std::pair<std::string, RegistryValue>> values;
    if (const fmt::Key* found = FindKey(*document, path)) {
        for (const fmt::Value& value : found->values) {
            values.emplace_back(value.name, value.data);
        }
    }
    return values;
}

std::optional<RegistryValue> Registry::QueryValue(std::string_view key,
                                                  std::string_view name) const {
    const auto document = LoadDocument(m_filePath);
    if (!document) {
        return std::nullopt;
    }
    const fmt::Key* found = FindKey(*document, fmt::CurrentUserPath(key));
    if (found == nullptr) {
        return std::nullopt;
    }
    for (const fmt::Value& value : found->values) {
        if (EqualsIgnoreCase(value.name, name)) {
            return value.data;
        }
    }
    return std::nullopt;
}

std::optional<std::uint32_t> Registry::QueryDword(std::string_view key,
                                                  std::string_view name) const {
    const auto value = QueryValue(key, name);
    if (!value || !std::holds_alternative<std::uint32_t>(*value)) {
        return std::nullopt;
    }
    return std::get<std::uint32_t>(*value);
}

std::optional<std::string> Registry::QueryString(std::string_view key,
                                                 std::string_view name) const {
    auto value = QueryValue(key, name);
    if (!value || !std::holds_alternative<std::string>(*value)) {
        return std::nullopt;
    }
    return std::get<std::string>(std::move(*value));
}

bool Registry::WriteValues(std::string_view key,
                           const std::vector<std::pair<std::string, RegistryValue>>& values) {
    const std::string path = fmt::CurrentUserPath(key);
    return UpdateDocument(m_filePath, m_access == Access::Private, [&](fmt::Document& document) {
        fmt::Key& target = FindOrCreateKey(document, path);
        for (const auto& [name, data] : values) {
            SetValue(target, name, data);
        }
        return true;
    });
}

bool Registry::SetDword(std::string_view key, std::string_view name, std::uint32_t value) {
    return WriteValues(key, {{std::string(name), value}});
}

bool Registry::SetString(std::string_view key, std::string_view name, std::string_view value) {
    return WriteValues(key, {{std::string(name), std::string(value)}});
}

bool Registry::CreateKey(std::string_view key) {
    return WriteValues(key, {});
}

bool Registry::DeleteValue(std::string_view key, std::string_view name) {
    const std::string path = fmt::CurrentUserPath(key);
    return UpdateDocument(m_filePath, m_access == Access::Private, [&](fmt::Document& document) {
        for (fmt::Key& candidate : document.keys) {
            if (!fmt::PathEquals(candidate.path, path)) {
                continue;
            }
            for (auto it = candidate.values.begin(); it != candidate.values.end(); ++it) {
                if (EqualsIgnoreCase(it->name, name)) {
                    candidate.values.erase(it);
                    return true;
                }
            }
        }
        return false;
    });
}

bool Registry::DeleteKey(std::string_view key) {
    const std::string path = fmt::CurrentUserPath(key);
    if (fmt::PathEquals(path, fmt::kCurrentUserRoot)) {
        return false;  // never the whole hive
    }
    return UpdateDocument(m_filePath, m_access == Access::Private, [&](fmt::Document& document) {
        const std::size_t before = document.keys.size();
        std::erase_if(document.keys, [&](const fmt::Key& candidate) {
            return fmt::PathEquals(candidate.path, path) || fmt::PathIsBelow(candidate.path, path);
        });
        return document.keys.size() != before;
    });
}

std::vector<std::string> Registry::SubKeys(std::string_view key) const {
    std::vector<std::string> names;
    const auto document = LoadDocument(m_filePath);
    if (!document) {
        return names;
    }
    const std::string path = fmt::CurrentUserPath(key);
    for (const fmt::Key& candidate : document->keys) {
        if (!fmt::PathIsBelow(candidate.path, path)) {
            continue;
        }
        const std::string_view rest = std::string_view(candidate.path).substr(path.size() + 1);
        const std::string child(rest.substr(0, rest.find('\\')));
        bool known = false;
        for (const std::string& name : names) {
            known = known || EqualsIgnoreCase(name, child);
        }
        if (!known) {
            names.push_back(child);
        }
    }
    return names;
}

std::string ConfigDirectory() {
    return JoinPath(ConfigHome(), "scrivola");
}

}  // namespace platform
