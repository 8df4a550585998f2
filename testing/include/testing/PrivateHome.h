#pragma once
// A private home for one test. HOME, the XDG folders and TMPDIR point into a
// fresh folder, and the variables that would reach the user's own programs
// or the machine's printers are cleared, so no test reads or writes anything
// of the real user. The system-wide folders (XDG_DATA_DIRS and the like)
// stay as they are: the desktop's icons and file types live there. Every variable it touches,
// including those set later through Set and Unset, gets its previous value back when it ends, and
// the folder is removed.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace testsupport {

class PrivateHome {
  public:
    PrivateHome();
    ~PrivateHome();
    PrivateHome(const PrivateHome&) = delete;
    PrivateHome& operator=(const PrivateHome&) = delete;

    const std::filesystem::path& Root() const { return m_root; }
    // The folder's path with `relative` below it (the folder itself when empty).
    std::string Path(std::string_view relative = {}) const;
    std::string operator/(std::string_view relative) const { return Path(relative); }

    std::filesystem::path Home() const { return m_root / "home"; }
    // $XDG_CONFIG_HOME/scrivola, where the programs keep their settings.
    std::filesystem::path ConfigDir() const { return m_root / "config" / "scrivola"; }
    std::filesystem::path Temp() const { return m_root / "tmp"; }
    // A folder for the test's own documents and outputs.
    std::filesystem::path Files() const { return m_root / "files"; }

    // Writes bytes exactly as given (making the folders on the way) and
    // returns the file's path.
    std::string Write(std::string_view relative, std::string_view bytes = {}) const;
    std::string MakeFolder(std::string_view relative) const;

    // Sets or clears a variable for the test's lifetime.
    void Set(const std::string& name, const std::string& value);
    void Unset(const std::string& name);

  private:
    void Save(const std::string& name);

    std::filesystem::path m_root;
    std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
};

// The whole file, or an empty string when it cannot be read.
std::string ReadFile(const std::string& path);
// Writes bytes exactly as given to a file whose folder exists.
void WriteFile(const std::string& path, std::string_view bytes);

}  // namespace testsupport
