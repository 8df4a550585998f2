#pragma once
// A private temporary folder for one test, removed afterwards, and helpers
// to put files into it. With `isolateUser` the user's configuration, data
// and temporary folders point into it, so nothing of the real user is read
// or written.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace scrivola::testing {

class TestFolder {
  public:
    explicit TestFolder(bool isolateUser = false) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "scrivola-test-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            ADD_FAILURE() << "cannot create a temporary folder";
        }
        path_ = pattern;
        if (isolateUser) {
            for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "TMPDIR"}) {
                const char* previous = std::getenv(name);
                savedEnvironment_.emplace_back(
                    name, previous ? std::optional<std::string>(previous) : std::nullopt);
                const std::filesystem::path folder = std::filesystem::path(path_) / name;
                std::filesystem::create_directories(folder);
                setenv(name, folder.c_str(), 1);
            }
        }
    }
    ~TestFolder() {
        // The next test must not find its variables pointing into a removed folder.
        for (const auto& [name, value] : savedEnvironment_) {
            if (value) {
                setenv(name.c_str(), value->c_str(), 1);
            } else {
                unsetenv(name.c_str());
            }
        }
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::string& Path() const { return path_; }
    // The folder's path with `relative` below it.
    std::string operator/(std::string_view relative) const {
        return path_ + "/" + std::string(relative);
    }

    // Writes bytes exactly as given and returns the file's path.
    std::string Write(std::string_view relative, std::string_view bytes = {}) const {
        const std::string file = *this / relative;
        std::filesystem::create_directories(std::filesystem::path(file).parent_path());
        std::ofstream stream(file, std::ios::binary);
        stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return file;
    }
    std::string MakeFolder(std::string_view relative) const {
        const std::string folder = *this / relative;
        std::filesystem::create_directories(folder);
        return folder;
    }

  private:
    std::string path_;
    std::vector<std::pair<std::string, std::optional<std::string>>> savedEnvironment_;
};

inline std::string ReadFile(const std::string& path) {
    std::ifstream stream(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(stream), {});
}

}  // namespace scrivola::testing
