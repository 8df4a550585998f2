#pragma once
// Private-profile (INI) files: "[Section]" lines open sections, "key=value"
// lines give values; section and key names are matched without regard to
// case. Every write rewrites the whole file under an advisory lock and
// replaces it atomically, keeping all other lines as they were.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

class Profile {
  public:
    explicit Profile(std::string filePath);
    const std::string& FilePath() const { return m_filePath; }

    // The whole stored value, or nothing when the file, section or key is missing.
    std::optional<std::string> Read(std::string_view section, std::string_view key) const;
    // The value cut to `capacity` characters, or the default when missing.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue, std::size_t capacity) const;
    // The decimal integer the value begins with (blanks, sign, digits; no
    // digits give 0), or the default when missing.
    int ReadInt(std::string_view section, std::string_view key, int defaultValue) const;

    bool WriteString(std::string_view section, std::string_view key, std::string_view value);
    bool WriteInt(std::string_view section, std::string_view key, int value);

  private:
    std::string m_filePath;
};

}  // namespace platform
