// Jobs written to their outputs: whole files only, the printer's lock held
// while it works, page images numbered, and clear refusals.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>

#include "JobWriter.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "testing/MinimalPdf.h"
#include "testing/PrivateHome.h"

namespace folivo {
namespace {

std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Image directories of a little-endian classic TIFF file (what Ghostscript
// writes here); 0 when it is not one.
int TiffPageCount(const std::string& path) {
    const std::string data = testsupport::ReadFile(path);
    const auto read = [&data](std::size_t at, int bytes) -> std::uint64_t {
        std::uint64_t value = 0;
        for (int i = bytes - 1; i >= 0; --i) {
            value = value << 8 | static_cast<unsigned char>(data.at(at + i));
        }
        return value;
    };
    if (data.size() < 8 || data.compare(0, 4, std::string("II*\0", 4)) != 0) {
        return 0;
    }
    int pages = 0;
    for (std::uint64_t offset = read(4, 4); offset != 0 && pages < 1000; ++pages) {
        offset = read(offset + 2 + 12 * read(offset, 2), 4);
    }
    return pages;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

class JobWriterTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::CreateDirectories(folder.Path("out"));
        testsupport::WriteFile(job, testpdf::MinimalPdf(3));
    }
    testsupport::PrivateHome folder;
    const std::string job = folder.Path("job.pdf");
};

TEST_F(JobWriterTest, PdfReplacesTheTargetWholeAndLeavesNoTemporaryFile) {
    const std::string target = folder.Path("out/result 'x' \xC3\xA9.pdf");
    testsupport::WriteFile(target, "old contents");
    const WriteResult result = WriteJobToPath(job, target, OutputFormat::Pdf, 300);
    ASSERT_FALSE(result.error) << *result.error;
    EXPECT_EQ(result.path, target);
    EXPECT_EQ(testsupport::ReadFile(target), testsupport::ReadFile(job));
    EXPECT_EQ(Entries(folder.Path("out")), std::vector<std::string>{"result 'x' \xC3\xA9.pdf"});
    struct stat status {};
    ASSERT_EQ(::stat(target.c_str(), &status), 0);
    EXPECT_NE(status.st_mode & S_IRGRP, 0u);  // not left private like a temporary file
}

TEST_F(JobWriterTest, TiffHoldsEveryPage) {
    const std::string target = folder.Path("out/100% scan.tif");
    const WriteResult result = WriteJobToPath(job, target, OutputFormat::Tiff, 72);
    ASSERT_FALSE(result.error) << *result.error;
    EXPECT_EQ(TiffPageCount(target), 3);
    EXPECT_EQ(Entries(folder.Path("out")), std::vector<std::string>{"100% scan.tif"});
}

TEST_F(JobWriterTest, OneImageFormatsNumberTheFollowingPages) {
    const struct {
        OutputFormat format;
        const char* name;
        std::string signature;
    } cases[] = {
        {OutputFormat::Png, "scan.png", "\x89PNG"},
        {OutputFormat::Jpeg, "scan.jpg", "\xFF\xD8\xFF"},
        {OutputFormat::Bmp, "scan.bmp", "BM"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string target = folder.Path(std::string("out/") + c.name);
        const WriteResult result = WriteJobToPath(job, target, c.format, 36);
        ASSERT_FALSE(result.error) << *result.error;
        for (const std::string& page : {target, PageFilePath(target, 2), PageFilePath(target, 3)}) {
            EXPECT_TRUE(StartsWith(testsupport::ReadFile(page), c.signature)) << page;
        }
        EXPECT_FALSE(platform::PathExists(PageFilePath(target, 4)));
    }
    EXPECT_EQ(Entries(folder.Path("out")).size(), 9u);  // no private folder left
}

TEST_F(JobWriterTest, PrinterHoldsItsLockWhileWritingAndReleasesIt) {
    // A stand-in Ghostscript that looks at the lock on the file it writes.
    const std::string report = folder.Path("lock-report");
    platform::CreateDirectories(folder.Path("bin"));
    testsupport::WriteFile(folder.Path("bin/gs"),
                           "#!/bin/sh\n"
                           "for a in \"$@\"; do case \"$a\" in -sOutputFile=*) "
                           "out=\"${a#-sOutputFile=}\";; esac; done\n"
                           "if flock -n \"$out\" true; then echo free; else echo locked; fi > \"" +
                               report +
                               "\"\n"
                               "echo image > \"$out\"\n");
    ::chmod(folder.Path("bin/gs").c_str(), 0755);
    folder.Set("PATH", (folder.Path("bin") + ":/usr/bin:/bin"));

    const std::string target = folder.Path("out/locked.tif");
    const WriteResult result = WriteJobToPath(job, target, OutputFormat::Tiff, 72);
    ASSERT_FALSE(result.error) << *result.error;
    EXPECT_EQ(testsupport::ReadFile(report), "locked\n");
    const int fd = ::open(target.c_str(), O_RDONLY);
    EXPECT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
    ::close(fd);
}

// An image Ghostscript left empty (or never wrote) is no image: the job
// fails and an earlier file of that name stays as it was.
TEST_F(JobWriterTest, AnEmptyImageFailsTheJob) {
    platform::CreateDirectories(folder.Path("bin"));
    testsupport::WriteFile(folder.Path("bin/gs"),
                           "#!/bin/sh\n"
                           "for a in \"$@\"; do case \"$a\" in -sOutputFile=*) "
                           "out=\"${a#-sOutputFile=}\";; esac; done\n"
                           ": > \"$(printf '%s' \"$out\" | sed 's/%d/1/')\"\n");
    ::chmod(folder.Path("bin/gs").c_str(), 0755);
    folder.Set("PATH", folder.Path("bin") + ":/usr/bin:/bin");
    for (const auto& [name, format] :
         {std::pair{"scan.tif", OutputFormat::Tiff}, std::pair{"scan.png", OutputFormat::Png}}) {
        SCOPED_TRACE(name);
        const std::string target = folder.Path(std::string("out/") + name);
        testsupport::WriteFile(target, "earlier image");
        const WriteResult result = WriteJobToPath(job, target, format, 72);
        EXPECT_TRUE(result.error);
        EXPECT_EQ(testsupport::ReadFile(target), "earlier image");
    }
}

TEST_F(JobWriterTest, RefusalsSayWhyAndLeaveTheTargetAlone) {
    const std::string kept = folder.Path("out/kept.pdf");
    testsupport::WriteFile(kept, "keep me");
    const std::string notPdf = folder.Path("job.txt");
    testsupport::WriteFile(notPdf, "plain text");
    const std::string empty = folder.Path("empty.pdf");
    testsupport::WriteFile(empty, "");
    platform::CreateDirectories(folder.Path("out/folder.pdf"));
    const struct {
        std::string job;
        std::string target;
        const char* reason;
    } cases[] = {
        {job, folder.Path("missing/a.pdf"), "does not exist"},
        {job, folder.Path("out/folder.pdf"), "is a folder"},
        {notPdf, kept, "is not a PDF file"},
        {empty, kept, "is empty"},
        {folder.Path("no-such-job.pdf"), kept, "cannot read the job"},
    };
    for (const auto& c : cases) {
        const WriteResult result = WriteJobToPath(c.job, c.target, OutputFormat::Pdf, 300);
        ASSERT_TRUE(result.error) << c.target;
        EXPECT_NE(result.error->find(c.reason), std::string::npos) << *result.error;
    }
    EXPECT_EQ(testsupport::ReadFile(kept), "keep me");
    EXPECT_EQ(Entries(folder.Path("out")), (std::vector<std::string>{"folder.pdf", "kept.pdf"}));
}

TEST_F(JobWriterTest, ReadOnlyFolderIsRefused) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "root writes into any folder";
    }
    ::chmod(folder.Path("out").c_str(), 0555);
    const WriteResult result =
        WriteJobToPath(job, folder.Path("out/a.pdf"), OutputFormat::Pdf, 300);
    ::chmod(folder.Path("out").c_str(), 0755);
    ASSERT_TRUE(result.error);
    EXPECT_NE(result.error->find("not writable"), std::string::npos) << *result.error;
}

TEST_F(JobWriterTest, DefaultFolderGetsNewNamesAndNeverReplaces) {
    const std::string defaults = folder.Path("home/Documents/Folivo");
    const WriteResult first = WriteJobToNewFile(job, defaults, 1700000000);
    const WriteResult second = WriteJobToNewFile(job, defaults, 1700000000);
    ASSERT_FALSE(first.error);
    ASSERT_FALSE(second.error);
    EXPECT_NE(first.path, second.path);
    EXPECT_EQ(Entries(defaults).size(), 2u);
    EXPECT_EQ(testsupport::ReadFile(second.path), testsupport::ReadFile(job));
}

}  // namespace
}  // namespace folivo
