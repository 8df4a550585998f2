#pragma once
// A private home for one test: HOME, XDG_CONFIG_HOME, XDG_DATA_HOME and
// TMPDIR point into a fresh folder, so neither the settings nor any output
// touch the real user's files. The previous values come back afterwards.
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class ScratchHome {
  public:
    ScratchHome() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "scrivola_runner_test_XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        m_root = pattern;
        for (const char* sub : {"home", "config", "data", "tmp", "files"}) {
            std::filesystem::create_directories(m_root / sub);
        }
        Set("HOME", m_root / "home");
        Set("XDG_CONFIG_HOME", m_root / "config");
        Set("XDG_DATA_HOME", m_root / "data");
        Set("TMPDIR", m_root / "tmp");
    }
    ~ScratchHome() {
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
    ScratchHome(const ScratchHome&) = delete;
    ScratchHome& operator=(const ScratchHome&) = delete;

    const std::filesystem::path& Root() const { return m_root; }
    // A folder for the test's documents and outputs.
    std::filesystem::path Files() const { return m_root / "files"; }
    std::filesystem::path Temp() const { return m_root / "tmp"; }

    // Sets a variable for the test's lifetime.
    void Set(const std::string& name, const std::filesystem::path& value) {
        const char* old = std::getenv(name.c_str());
        m_saved.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        setenv(name.c_str(), value.c_str(), 1);
    }

  private:
    std::filesystem::path m_root;
    std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
};
