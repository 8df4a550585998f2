#pragma once
// A private folder for one test with HOME, the XDG folders and TMPDIR
// pointed into it; everything is put back afterwards.
#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "testing/MinimalPdf.h"

namespace folivo::testing {

class PrinterTestFolder {
  public:
    PrinterTestFolder() {
        root_ = *platform::CreateTempDirectory("folivoprint-test-");
        for (const char* name :
             {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "TMPDIR", "XDG_DOCUMENTS_DIR", "PATH",
              "SCRIVOLA_OPEN_COMMAND", "SCRIVOLA_SYSTEM_PRINTERS"}) {
            const char* value = std::getenv(name);
            saved_.push_back({name, value ? std::optional<std::string>(value) : std::nullopt});
        }
        platform::CreateDirectories(Path("tmp"));
        ::setenv("HOME", root_.c_str(), 1);
        ::setenv("XDG_CONFIG_HOME", Path("config").c_str(), 1);
        ::setenv("XDG_DATA_HOME", Path("data").c_str(), 1);
        ::setenv("TMPDIR", Path("tmp").c_str(), 1);
        ::unsetenv("XDG_DOCUMENTS_DIR");
        ::unsetenv("SCRIVOLA_OPEN_COMMAND");
        // The machine's own system-wide printers do not count.
        ::setenv("SCRIVOLA_SYSTEM_PRINTERS", Path("etc/printers.reg").c_str(), 1);
    }
    ~PrinterTestFolder() {
        for (const auto& [name, value] : saved_) {
            if (value) {
                ::setenv(name.c_str(), value->c_str(), 1);
            } else {
                ::unsetenv(name.c_str());
            }
        }
        platform::RemoveTree(root_);
    }
    PrinterTestFolder(const PrinterTestFolder&) = delete;
    PrinterTestFolder& operator=(const PrinterTestFolder&) = delete;

    std::string Path(const std::string& name) const { return platform::JoinPath(root_, name); }

  private:
    std::string root_;
    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

inline void WriteFile(const std::string& path, const std::string& contents) {
    std::ofstream(path, std::ios::binary) << contents;
}

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// A PDF of `pages` A4 pages, page N showing "Page N".
using testpdf::MinimalPdf;

}  // namespace folivo::testing
