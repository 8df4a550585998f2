#pragma once
// A private home for one test: HOME, XDG_CONFIG_HOME, XDG_DATA_HOME and
// TMPDIR point into a fresh folder that is removed afterwards, so no test
// touches the real user's files.
#include <array>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

class TempHome {
  public:
    TempHome() {
        for (std::size_t i = 0; i < kVariables.size(); ++i) {
            if (const char* value = std::getenv(kVariables[i])) {
                saved_[i] = value;
            }
        }
        std::string pattern =
            (std::filesystem::temp_directory_path() / "scrivola_win_test_XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::filesystem::filesystem_error(
                "cannot create a test home", pattern,
                std::error_code(errno, std::generic_category()));
        }
        root_ = pattern;
        for (const char* sub : {"home", "config", "data", "tmp"}) {
            std::filesystem::create_directories(root_ / sub);
        }
        setenv("HOME", (root_ / "home").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
        setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
        setenv("TMPDIR", (root_ / "tmp").c_str(), 1);
    }
    // Puts the environment back, so the next test starts from the real one.
    ~TempHome() {
        for (std::size_t i = 0; i < kVariables.size(); ++i) {
            if (saved_[i]) {
                setenv(kVariables[i], saved_[i]->c_str(), 1);
            } else {
                unsetenv(kVariables[i]);
            }
        }
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
    static constexpr std::array<const char*, 4> kVariables = {"HOME", "XDG_CONFIG_HOME",
                                                              "XDG_DATA_HOME", "TMPDIR"};
    std::array<std::optional<std::string>, 4> saved_;
    std::filesystem::path root_;
};
