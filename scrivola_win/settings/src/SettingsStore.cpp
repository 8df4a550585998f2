#include "settings/SettingsStore.h"

#include <map>
#include <mutex>

#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Profile.h"
#include "platform/ProgramPath.h"
#include "platform/Registry.h"

namespace scrivola_win {

namespace {

// The monitor thread reads while the UI thread writes; one lock per file
// makes each single read or write atomic with respect to the others.
std::mutex& LockFor(const std::string& filePath) {
    static std::mutex registryLock;
    static std::map<std::string, std::mutex> locks;
    std::lock_guard<std::mutex> guard(registryLock);
    return locks[filePath];
}

bool HasLineBreak(std::string_view text) {
    return text.find_first_of("\r\n") != std::string_view::npos;
}

bool IsUsableName(std::string_view name, std::string_view forbidden) {
    return !name.empty() && !HasLineBreak(name) &&
           name.find_first_of(forbidden) == std::string_view::npos;
}

bool IsWritable(std::string_view section, std::string_view key) {
    return IsUsableName(section, "[]") && IsUsableName(key, "=[");
}

}  // namespace

std::string SettingsFilePath() {
    return platform::ConfigDirectory() + "/scrivola_win.ini";
}

std::string ApplicationProfilePath() {
    const platform::PathParts program = platform::SplitPath(platform::RunningProgramPath());
    return platform::ConfigDirectory() + "/" + program.name + ".INI";
}

SettingsStore::SettingsStore(std::string filePath, std::size_t textCapacity)
    : m_filePath(std::move(filePath)), m_textCapacity(textCapacity) {}

SettingsStore SettingsStore::SettingsFile() {
    return SettingsStore(SettingsFilePath(), kSettingsFileTextCapacity);
}

SettingsStore SettingsStore::ApplicationProfile() {
    return SettingsStore(ApplicationProfilePath(), kApplicationProfileTextCapacity);
}

int SettingsStore::ReadInt(std::string_view section, std::string_view key, int defaultValue) const {
    std::lock_guard<std::mutex> guard(LockFor(m_filePath));
    return platform::Profile(m_filePath).ReadInt(section, key, defaultValue);
}

std::string SettingsStore::ReadString(std::string_view section, std::string_view key,
                                      std::string_view defaultValue) const {
    std::lock_guard<std::mutex> guard(LockFor(m_filePath));
    return platform::Profile(m_filePath).ReadString(section, key, defaultValue, m_textCapacity);
}

std::optional<std::string> SettingsStore::ReadStoredString(std::string_view section,
                                                           std::string_view key) const {
    std::lock_guard<std::mutex> guard(LockFor(m_filePath));
    return platform::Profile(m_filePath).Read(section, key);
}

bool SettingsStore::WriteInt(std::string_view section, std::string_view key, int value) {
    if (!IsWritable(section, key)) {
        return false;
    }
    std::lock_guard<std::mutex> guard(LockFor(m_filePath));
    platform::CreateDirectories(platform::SplitPath(m_filePath).directory);
    return platform::Profile(m_filePath).WriteInt(section, key, value);
}

bool SettingsStore::WriteString(std::string_view section, std::string_view key,
                                std::string_view value) {
    if (!IsWritable(section, key) || HasLineBreak(value)) {
        return false;
    }
    std::lock_guard<std::mutex> guard(LockFor(m_filePath));
    platform::CreateDirectories(platform::SplitPath(m_filePath).directory);
    return platform::Profile(m_filePath).WriteString(section, key, value);
}

void HideSettingsFile() {}

}  // namespace scrivola_win
