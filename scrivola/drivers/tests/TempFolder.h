#pragma once
// A private folder for one test, removed afterwards, with the user's
// configuration, data and temporary folders pointed into it.
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Paths.h"

namespace scrivola::testing {

class TempFolder {
  public:
    TempFolder() {
        path_ = *platform::CreateTempDirectory("scrivola-drivers-test-");
        for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "TMPDIR"}) {
            const char* value = std::getenv(name);
            saved_.push_back({name, value ? std::optional<std::string>(value) : std::nullopt});
        }
        ::setenv("XDG_CONFIG_HOME", Path("config").c_str(), 1);
        ::setenv("XDG_DATA_HOME", Path("data").c_str(), 1);
        platform::CreateDirectories(Path("tmp"));
        ::setenv("HOME", path_.c_str(), 1);
        ::setenv("TMPDIR", Path("tmp").c_str(), 1);
    }
    ~TempFolder() {
        for (const auto& [name, value] : saved_) {
            if (value) {
                ::setenv(name.c_str(), value->c_str(), 1);
            } else {
                ::unsetenv(name.c_str());
            }
        }
        platform::RemoveTree(path_);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string Path(const std::string& name) const { return platform::JoinPath(path_, name); }

  private:
    std::string path_;
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

}  // namespace scrivola::testing
