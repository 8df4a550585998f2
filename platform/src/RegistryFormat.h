#pragma once
// The registry file's text format: parsing (lenient: what cannot be read is
// dropped) and writing.
#include <string>
#include <string_view>
#include <vector>

#include "platform/Registry.h"

namespace platform::registry_format {

inline constexpr std::string_view kHeader = "Windows Registry Editor Version 5.00";
inline constexpr std::string_view kCurrentUserRoot = "HKEY_CURRENT_USER";

struct Value {
    std::string name;  // "" is the key's default value, written as @
    RegistryValue data;
};

struct Key {
    std::string path;  // full path, root included: HKEY_CURRENT_USER\Software\...
    std::vector<Value> values;
};

struct Document {
    std::vector<Key> keys;
};

Document Parse(std::string_view text);
std::string Serialize(const Document& document);

// Canonical full path for a key below HKEY_CURRENT_USER: empty components
// dropped, one backslash between components.
std::string CurrentUserPath(std::string_view key);

bool PathEquals(std::string_view a, std::string_view b);
// True when `path` lies strictly below `ancestor`.
bool PathIsBelow(std::string_view path, std::string_view ancestor);

}  // namespace platform::registry_format
