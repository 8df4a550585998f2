#pragma once
// The per-user registry: one text file in the registry-export format,
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_CURRENT_USER\Software\folivosoft\folivoprint]
//   "Resolution"=dword:00000003
//   "Title"="text with \"quotes\" and \\ backslashes"
//
// under $XDG_CONFIG_HOME/scrivola/registry.reg (default
// ~/.config/scrivola/registry.reg). Key paths are given below
// HKEY_CURRENT_USER, e.g. "Software\\folivosoft\\folivoprint", and matched
// without regard to case, as are value names. Each change is applied to the
// file as it is on disk at that moment, under an advisory lock, and the file
// is replaced atomically; lines that cannot be read are dropped on rewrite.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace platform {

using RegistryValue = std::variant<std::uint32_t, std::string>;  // REG_DWORD, REG_SZ

class Registry {
  public:
    // A user's registry holds the printer's passwords, so its file and folder
    // are private; a table every user reads (the system-wide printers) is not.
    enum class Access { Private, Shared };
    explicit Registry(std::string filePath, Access access = Access::Private);
    // The current user's registry file (folder created on first write).
    static Registry CurrentUser();
    const std::string& FilePath() const { return m_filePath; }

    bool KeyExists(std::string_view key) const;
    // Every value of a key, or nothing when the key does not exist.
    std::optional<std::vector<std::pair<std::string, RegistryValue>>> ReadKey(
        std::string_view key) const;
    std::optional<RegistryValue> QueryValue(std::string_view key, std::string_view name) const;
    std::optional<std::uint32_t> QueryDword(std::string_view key, std::string_view name) const;
    std::optional<std::string> QueryString(std::string_view key, std::string_view name) const;

    // Creates the key when missing, then sets the values in the given order,
    // all in one locked rewrite of the file.
    bool WriteValues(std::string_view key,
                     const std::vector<std::pair<std::string, RegistryValue>>& values);
    bool SetDword(std::string_view key, std::string_view name, std::uint32_t value);
    bool SetString(std::string_view key, std::string_view name, std::string_view value);
    bool CreateKey(std::string_view key);
    bool DeleteValue(std::string_view key, std::string_view name);
    // Removes the key and every key below it.
    bool DeleteKey(std::string_view key);
    // Names of the keys directly below `key`.
    std::vector<std::string> SubKeys(std::string_view key) const;

  private:
    std::string m_filePath;
    Access m_access;
};

// $XDG_CONFIG_HOME/scrivola (default ~/.config/scrivola), no trailing '/'.
std::string ConfigDirectory();

}  // namespace platform
