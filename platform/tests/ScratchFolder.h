#pragma once
// A private temporary folder per test, with HOME, TMPDIR and the XDG base
// directories pointed into it so that no test touches the user's files.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <fstream>
#include <string>

#include "platform/FileSystem.h"

namespace platform::testing {

class ScratchFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/platform-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root_ = pattern;
        for (const char* sub : {"/home", "/config", "/data", "/tmp", "/etc-xdg", "/share"}) {
            ASSERT_EQ(mkdir((root_ + sub).c_str(), 0700), 0);
        }
        setenv("HOME", (root_ + "/home").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (root_ + "/config").c_str(), 1);
        setenv("XDG_DATA_HOME", (root_ + "/data").c_str(), 1);
        setenv("XDG_CONFIG_DIRS", (root_ + "/etc-xdg").c_str(), 1);
        setenv("XDG_DATA_DIRS", (root_ + "/share").c_str(), 1);
        setenv("TMPDIR", (root_ + "/tmp").c_str(), 1);
        unsetenv("XDG_CURRENT_DESKTOP");
        unsetenv("SCRIVOLA_OPEN_COMMAND");
        unsetenv("SCRIVOLA_DEBUG_LOG");
    }

    void TearDown() override { RemoveTree(root_); }

    std::string Path(const std::string& relative) const { return root_ + "/" + relative; }

    // Writes a file (folders must exist) and returns its path.
    std::string WriteFile(const std::string& relative, const std::string& contents) const {
        const std::string path = Path(relative);
        std::ofstream(path, std::ios::binary) << contents;
        return path;
    }

    // A shell script that appends each of its arguments, one per line, to
    // `log` and exits with `exitCode`.
    std::string WriteRecorder(const std::string& relative, const std::string& log,
                              int exitCode = 0) const {
        const std::string path =
            WriteFile(relative, "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\" >> '" + log +
                                    "'; done\nprintf 'end\\n' >> '" + log + "'\nexit " +
                                    std::to_string(exitCode) + "\n");
        chmod(path.c_str(), 0700);
        return path;
    }

    std::string root_;
};

}  // namespace platform::testing
