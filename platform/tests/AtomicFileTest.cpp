#include "platform/AtomicFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "ScratchFolder.h"
#include "platform/FileSystem.h"
#include "platform/Profile.h"
#include "platform/Registry.h"

namespace platform {
namespace {

class AtomicFileTest : public testing::ScratchFolderTest {
  protected:
    std::vector<std::string> Names(const std::string& folder) const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(Path(folder))) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(AtomicFileTest, AFailingWriterKeepsTheOldFileAndLeavesNoTemporaryFile) {
    const std::string file = WriteFile("work/keep.txt", "old contents");
    EXPECT_THROW(ReplaceFileAtomically(file,
                                       [](std::FILE* stream) -> bool {
                                           std::fputs("half of the new", stream);
                                           std::fflush(stream);
                                           throw std::runtime_error("stopped");
                                       }),
                 std::runtime_error);
    std::string error;
    EXPECT_FALSE(ReplaceFileAtomically(
        file, [](std::FILE* stream) { return std::fputs("half", stream) < 0; }, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(ReadWholeFile(file), "old contents");
    EXPECT_EQ(Names("work"), std::vector<std::string>{"keep.txt"});

    ASSERT_TRUE(WriteFileAtomically(file, "new contents"));
    EXPECT_EQ(ReadWholeFile(file), "new contents");
    EXPECT_EQ(Names("work"), std::vector<std::string>{"keep.txt"});
}

TEST_F(AtomicFileTest, RefusesToReplaceAFolder) {
    ASSERT_TRUE(CreateDirectories(Path("work/sub")));
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(Path("work/sub"), "x", &error));
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
    EXPECT_TRUE(IsDirectory(Path("work/sub")));
    EXPECT_EQ(Names("work"), std::vector<std::string>{"sub"});
}

TEST_F(AtomicFileTest, ReplacesTheTargetOfASymbolicLinkAndKeepsItsMode) {
    const std::string target = WriteFile("real/settings.ini", "old");
    ASSERT_EQ(chmod(target.c_str(), 0640), 0);
    ASSERT_TRUE(CreateDirectories(Path("work")));
    const std::string link = Path("work/settings.ini");
    std::filesystem::create_symlink(target, link);

    ASSERT_TRUE(WriteFileAtomically(link, "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadWholeFile(target), "new");
    struct stat info {};
    ASSERT_EQ(stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(Names("real"), std::vector<std::string>{"settings.ini"});
}

TEST_F(AtomicFileTest, ANewFileTakesTheRequestedMode) {
    ASSERT_TRUE(CreateDirectories(Path("work")));
    ASSERT_TRUE(WriteFileAtomically(Path("work/secret"), "x", nullptr, 0600));
    struct stat info {};
    ASSERT_EQ(stat(Path("work/secret").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
}

// Settings hold passwords (the printer's in the registry, the encryption
// page's in the profile): the folder and the files are the user's alone,
// also when they were made readable to others before.
TEST_F(AtomicFileTest, SettingsFilesBecomePrivateWhenTheyAreNextWritten) {
    const std::string folder = Path("config/scrivola");
    const struct {
        const char* name;
        std::function<bool(const std::string&)> write;
    } writers[] = {
        {"registry.reg",
         [](const std::string& file) {
             return Registry(file).WriteValues("Software\\x", {{"UserPass", std::string("pw")}});
         }},
        {"scrivola_win.INI",
         [](const std::string& file) {
             return Profile(file).WriteString("EncryptPDF", "UserPwd", "pw");
         }},
    };
    for (const auto& writer : writers) {
        SCOPED_TRACE(writer.name);
        const std::string file = WriteFile(std::string("config/scrivola/") + writer.name, "");
        ASSERT_EQ(chmod(file.c_str(), 0644), 0);
        ASSERT_EQ(chmod(folder.c_str(), 0755), 0);
        ASSERT_TRUE(writer.write(file));
        struct stat info {};
        ASSERT_EQ(stat(file.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0600u);
        ASSERT_EQ(stat(folder.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, 0700u);
    }
}

}  // namespace
}  // namespace platform
