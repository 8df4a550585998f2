#pragma once
// A private home for one test: HOME, XDG_CONFIG_HOME, XDG_DATA_HOME and
// TMPDIR point into a fresh folder that is removed afterwards, so no test
// touches the real user's files.
#include <cstdlib>
#include <filesystem>
#include <string>

class TempHome {
  public:
    TempHome() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "scrivola_win_test_XXXXXX").string();
        root_ = mkdtemp(pattern.data());
        for (const char* sub : {"home", "config", "data", "tmp"}) {
            std::filesystem::create_directories(root_ / sub);
        }
        setenv("HOME", (root_ / "home").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
        setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
        setenv("TMPDIR", (root_ / "tmp").c_str(), 1);
    }
    ~TempHome() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;

    const std::filesystem::path& Root() const { return root_; }
    std::filesystem::path ConfigDir() const { return root_ / "config" / "scrivola"; }
    // A folder for the test's own files.
    std::filesystem::path Files() const { return root_ / "home"; }

  private:
    std::filesystem::path root_;
};
