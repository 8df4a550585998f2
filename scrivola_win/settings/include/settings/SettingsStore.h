#pragma once
// The front end's two INI stores: the settings file (remembered folders and
// the directory monitor) and the application profile (the settings sheet's
// pages and the runner's keys). Nothing is cached: every read goes to the
// file and every write rewrites it at once.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace scrivola_win {

// Longest text each store hands back; longer stored values are cut.
inline constexpr std::size_t kSettingsFileTextCapacity = 259;
inline constexpr std::size_t kApplicationProfileTextCapacity = 4095;

// $XDG_CONFIG_HOME/scrivola/scrivola_win.ini
std::string SettingsFilePath();
// $XDG_CONFIG_HOME/scrivola/<base name of the running program>.INI
std::string ApplicationProfilePath();

class SettingsStore {
  public:
    SettingsStore(std::string filePath, std::size_t textCapacity);

    static SettingsStore SettingsFile();
    static SettingsStore ApplicationProfile();

    const std::string& FilePath() const { return m_filePath; }
    std::size_t TextCapacity() const { return m_textCapacity; }

    // The decimal integer the value begins with, or the default when the
    // file, section or key is missing.
    int ReadInt(std::string_view section, std::string_view key, int defaultValue) const;
    // The value cut to the store's capacity, or the default when missing.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const;
    // The whole stored value, for callers that must refuse an over-long
    // value rather than use a cut one (paths). Nothing when missing.
    std::optional<std::string> ReadStoredString(std::string_view section,
                                                std::string_view key) const;

    // Writes create the file, section and key as needed and keep every other
    // line. A value or name that would break the line format (line breaks,
    // brackets or '=' in names) is refused and false returned.
    bool WriteInt(std::string_view section, std::string_view key, int value);
    bool WriteString(std::string_view section, std::string_view key, std::string_view value);

  private:
    std::string m_filePath;
    std::size_t m_textCapacity;
};

// Files have no hidden attribute here, so hiding the settings file does nothing.
void HideSettingsFile();

}  // namespace scrivola_win
