#pragma once
// A test fixture over the private home: each test gets its own folder with
// HOME, TMPDIR and the XDG folders pointed into it.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <string>

#include "platform/FileSystem.h"
#include "testing/PrivateHome.h"

namespace platform::testing {

class ScratchFolderTest : public ::testing::Test {
  protected:
    // The system-wide desktop folders too, for the file-association tests.
    ScratchFolderTest() {
        m_home.Set("XDG_CONFIG_DIRS", m_home.MakeFolder("etc-xdg"));
        m_home.Set("XDG_DATA_DIRS", m_home.MakeFolder("share"));
    }

    std::string Path(const std::string& relative) const { return m_home.Path(relative); }

    // Writes a file and returns its path.
    std::string WriteFile(const std::string& relative, const std::string& contents) const {
        return m_home.Write(relative, contents);
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

    testsupport::PrivateHome m_home;
    const std::string m_root = m_home.Path();
};

}  // namespace platform::testing
