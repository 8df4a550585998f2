#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <set>

#include "ScratchFolder.h"
#include "platform/AtomicFile.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Wildcard.h"

namespace platform {
namespace {

class FileSystemTest : public testing::ScratchFolderTest {
  protected:
    std::vector<std::string> Entries(const std::string& relative) {
        std::vector<std::string> names;
        for (const std::string& name : FindMatchingNames(Path(relative), "*")) {
            if (name != "." && name != "..") {
                names.push_back(name);
            }
        }
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(FileSystemTest, StatusOfFilesFoldersAndMissingPaths) {
    WriteFile("five", "12345");
    const auto file = GetFileStatus(Path("five"));
    ASSERT_TRUE(file);
    EXPECT_FALSE(file->isDirectory);
    EXPECT_EQ(file->size, 5u);
    EXPECT_TRUE(IsDirectory(m_root));
    EXPECT_FALSE(IsDirectory(Path("five")));
    EXPECT_FALSE(PathExists(Path("missing")));
    EXPECT_FALSE(GetFileStatus(Path("missing")));
}

TEST_F(FileSystemTest, DeleteFileRemovesFilesButNotFolders) {
    WriteFile("gone", "x");
    EXPECT_TRUE(DeleteFile(Path("gone")));
    EXPECT_FALSE(PathExists(Path("gone")));
    EXPECT_FALSE(DeleteFile(Path("gone")));
    EXPECT_FALSE(DeleteFile(Path("home")));
    EXPECT_TRUE(IsDirectory(Path("home")));
}

TEST_F(FileSystemTest, WriteFileAtomicallyReplacesWholeAndKeepsPermissions) {
    const std::string target = WriteFile("data/../settings", "old contents that are longer");
    chmod(target.c_str(), 0640);
    ASSERT_TRUE(WriteFileAtomically(target, std::string("new\0bytes", 9)));
    EXPECT_EQ(ReadWholeFile(target), std::string("new\0bytes", 9));
    struct stat info {};
    ASSERT_EQ(stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(Entries(""),
              (std::vector<std::string>{"cache", "config", "data", "etc-xdg", "files", "home",
                                        "runtime", "settings", "share", "tmp"}))
        << "no temporary file may be left behind";
}

TEST_F(FileSystemTest, AtomicWriteWorksForTheLongestName) {
    const std::string name(255, 'n');
    ASSERT_TRUE(WriteFileAtomically(Path(name), "long"));
    EXPECT_EQ(ReadWholeFile(Path(name)), "long");
}

TEST_F(FileSystemTest, FailedAtomicWriteLeavesTargetAndNoTemporaryFile) {
    // A folder in the way makes the final rename fail after the data was written.
    ASSERT_TRUE(CreateDirectories(Path("work/target")));
    WriteFile("work/target/inside", "kept");
    EXPECT_FALSE(WriteFileAtomically(Path("work/target"), "replacement"));
    EXPECT_EQ(Entries("work"), (std::vector<std::string>{"target"}));
    EXPECT_EQ(ReadWholeFile(Path("work/target/inside")), "kept");
    EXPECT_FALSE(WriteFileAtomically(Path("no/such/folder/file"), "x"));
}

TEST_F(FileSystemTest, ReadWholeFileReadsLargeFilesAndRefusesFolders) {
    std::string large(200000, 'x');
    large[123456] = '\0';
    WriteFile("large", large);
    EXPECT_EQ(ReadWholeFile(Path("large")), large);
    EXPECT_FALSE(ReadWholeFile(Path("home")));
    EXPECT_FALSE(ReadWholeFile(Path("missing")));
}

TEST_F(FileSystemTest, CreateDirectoriesMakesEveryLevel) {
    EXPECT_TRUE(CreateDirectories(Path("a/b/c")));
    EXPECT_TRUE(IsDirectory(Path("a/b/c")));
    EXPECT_TRUE(CreateDirectories(Path("a/b/c/")));
    WriteFile("a/file", "");
    EXPECT_FALSE(CreateDirectories(Path("a/file/d")));
}

TEST_F(FileSystemTest, TempDirectoryFollowsTmpdir) {
    EXPECT_EQ(TempDirectory(), Path("tmp"));
    setenv("TMPDIR", (Path("tmp") + "//").c_str(), 1);
    EXPECT_EQ(TempDirectory(), Path("tmp"));
    setenv("TMPDIR", "", 1);
    EXPECT_EQ(TempDirectory(), "/tmp");
}

TEST_F(FileSystemTest, CreateUniqueFileNeverReusesAName) {
    std::set<std::string> names;
    for (int i = 0; i < 200; ++i) {
        const auto path = CreateUniqueFile(Path("tmp"), "pdf", ".tmp");
        ASSERT_TRUE(path);
        const PathParts parts = SplitPath(*path);
        EXPECT_EQ(parts.directory, Path("tmp") + "/");
        EXPECT_EQ(parts.name.substr(0, 3), "pdf");
        EXPECT_EQ(parts.extension, ".tmp");
        EXPECT_EQ(GetFileStatus(*path)->size, 0u);
        names.insert(*path);
    }
    EXPECT_EQ(names.size(), 200u);
    EXPECT_FALSE(CreateUniqueFile(Path("missing"), "pdf", ".tmp"));
}

TEST_F(FileSystemTest, CreateTempDirectoryIsPrivateAndRemoveTreeClearsIt) {
    const auto folder = CreateTempDirectory("scrivola-");
    ASSERT_TRUE(folder);
    EXPECT_EQ(SplitPath(*folder).directory, Path("tmp") + "/");
    struct stat info {};
    ASSERT_EQ(stat(folder->c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);

    ASSERT_TRUE(CreateDirectories(*folder + "/deep/er"));
    std::ofstream(*folder + "/deep/er/file") << "x";
    // A link out of the tree must not take the outside with it.
    WriteFile("outside", "keep");
    ASSERT_EQ(symlink(Path("outside").c_str(), (*folder + "/deep/link").c_str()), 0);
    EXPECT_TRUE(RemoveTree(*folder));
    EXPECT_FALSE(PathExists(*folder));
    EXPECT_EQ(ReadWholeFile(Path("outside")), "keep");
}

TEST_F(FileSystemTest, RenameReplaceOverwritesTarget) {
    WriteFile("from", "new");
    WriteFile("to", "old");
    EXPECT_TRUE(RenameReplace(Path("from"), Path("to")));
    EXPECT_EQ(ReadWholeFile(Path("to")), "new");
    EXPECT_FALSE(RenameReplace(Path("from"), Path("to")));
}

TEST_F(FileSystemTest, MoveToTrashRecordsOriginAndResolvesClashes) {
    ASSERT_TRUE(CreateDirectories(Path("work dir")));
    WriteFile("work dir/list.ver", "first");
    ASSERT_TRUE(MoveToTrash(Path("work dir/list.ver")));
    EXPECT_FALSE(PathExists(Path("work dir/list.ver")));
    EXPECT_EQ(ReadWholeFile(Path("data/Trash/files/list.ver")), "first");
    const auto info = ReadWholeFile(Path("data/Trash/info/list.ver.trashinfo"));
    ASSERT_TRUE(info);
    EXPECT_EQ(
        info->rfind("[Trash Info]\nPath=" + m_root + "/work%20dir/list.ver\nDeletionDate=", 0), 0u)
        << *info;
    EXPECT_EQ(info->size(), info->find("DeletionDate=") + 13 + 19 + 1) << *info;

    WriteFile("work dir/list.ver", "second");
    ASSERT_TRUE(MoveToTrash(Path("work dir/list.ver")));
    EXPECT_EQ(ReadWholeFile(Path("data/Trash/files/list.ver")), "first");
    EXPECT_EQ(ReadWholeFile(Path("data/Trash/files/list.2.ver")), "second");
    EXPECT_TRUE(PathExists(Path("data/Trash/info/list.2.ver.trashinfo")));

    EXPECT_FALSE(MoveToTrash(Path("work dir/list.ver")));
    EXPECT_EQ(Entries("data/Trash/info").size(), 2u);
}

TEST_F(FileSystemTest, MoveToTrashRefusesAnotherFileSystem) {
    struct stat scratch {};
    struct stat proc {};
    ASSERT_EQ(stat(m_root.c_str(), &scratch), 0);
    ASSERT_EQ(stat("/proc/self", &proc), 0);
    ASSERT_NE(scratch.st_dev, proc.st_dev);
    EXPECT_FALSE(MoveToTrash("/proc/self/status"));
    EXPECT_EQ(Entries("data/Trash/info").size(), 0u);
}

}  // namespace
}  // namespace platform
