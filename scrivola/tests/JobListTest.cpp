#include "scrivola/JobList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "scrivola/OutputNames.h"
#include "scrivola/tests/TestFolder.h"

namespace scrivola {
namespace {

using scrivola::testing::ReadFile;
using scrivola::testing::TestFolder;

std::vector<std::string> Inputs(const JobList& jobs) {
    std::vector<std::string> inputs;
    for (const ConversionJob& job : jobs) {
        inputs.push_back(job.input);
    }
    std::sort(inputs.begin(), inputs.end());  // the search order is the file system's
    return inputs;
}

std::vector<std::string> Outputs(const JobList& jobs) {
    std::vector<std::string> outputs;
    for (const ConversionJob& job : jobs) {
        outputs.push_back(job.output);
    }
    std::sort(outputs.begin(), outputs.end());
    return outputs;
}

class JobListTest : public ::testing::Test {
  protected:
    TestFolder folder_;
    ConversionSettings settings_;
    JobList jobs_;

    void Build(std::string inputSpec, std::string outputSpec = "") {
        outputSpec_ = std::move(outputSpec);
        inputSpec_ = std::move(inputSpec);
        BuildJobList(inputSpec_, outputSpec_, settings_, jobs_);
    }
    std::string inputSpec_;
    std::string outputSpec_;
};

TEST_F(JobListTest, SingleDocumentIsTakenAsItIsAndNamedBesideItself) {
    Build(folder_ / "missing report.doc");
    ASSERT_EQ(jobs_.size(), 1u);
    EXPECT_EQ(jobs_[0].input, folder_ / "missing report.doc");
    EXPECT_EQ(jobs_[0].output, "");

    AssignOutputNames(jobs_, outputSpec_);
    EXPECT_EQ(jobs_[0].output, folder_ / "missing report.pdf");
}

TEST_F(JobListTest, SingleDocumentKeepsItsNamedOutput) {
    Build("a.doc", folder_ / "out.tif");
    AssignOutputNames(jobs_, outputSpec_);
    EXPECT_EQ(jobs_[0].output, folder_ / "out.tif");
}

TEST_F(JobListTest, SingleDocumentIntoAnExistingDirectoryGetsItsNameThere) {
    folder_.MakeFolder("out");
    Build("docs/a.doc", folder_ / "out");
    AssignOutputNames(jobs_, outputSpec_);
    EXPECT_EQ(jobs_[0].output, folder_ / "out/a.pdf");
}

TEST_F(JobListTest, PatternMatchesFilesWithoutRegardToCase) {
    folder_.Write("docs/a.doc");
    folder_.Write("docs/B.DOC");
    folder_.Write("docs/c.xls");
    folder_.MakeFolder("docs/folder.doc");
    Build(folder_ / "docs/*.doc", folder_ / "*.pdf");
    EXPECT_EQ(Inputs(jobs_),
              (std::vector<std::string>{folder_ / "docs/B.DOC", folder_ / "docs/a.doc"}));

    AssignOutputNames(jobs_, outputSpec_);
    EXPECT_EQ(Outputs(jobs_), (std::vector<std::string>{folder_ / "B.pdf", folder_ / "a.pdf"}));
}

TEST_F(JobListTest, DirectoryTakesEveryFileAndOutputsGoIntoTheOutputDirectory) {
    folder_.Write("docs/a.doc");
    folder_.Write("docs/b.xls");
    folder_.Write("docs/noextension");
    folder_.Write("docs/sub/inner.doc");
    folder_.MakeFolder("out");
    Build(folder_ / "docs", folder_ / "out");
    EXPECT_EQ(inputSpec_, folder_ / "docs/*.*");
    EXPECT_EQ(Inputs(jobs_),
              (std::vector<std::string>{folder_ / "docs/a.doc", folder_ / "docs/b.xls",
                                        folder_ / "docs/noextension"}));

    AssignOutputNames(jobs_, outputSpec_);
    EXPECT_EQ(Outputs(jobs_),
              (std::vector<std::string>{folder_ / "out/a.pdf", folder_ / "out/b.pdf",
                                        folder_ / "out/noextension.pdf"}));
}

TEST_F(JobListTest, OutputExtensionComesFromTheOutputSpec) {
    folder_.Write("docs/a.xls");
    folder_.Write("docs/b.xls");
    Build(folder_ / "docs/*.xls", folder_ / "images/*.jpg");
    AssignOutputNames(jobs_, outputSpec_);
    EXPECT_EQ(Outputs(jobs_),
              (std::vector<std::string>{folder_ / "images/a.jpg", folder_ / "images/b.jpg"}));
}

TEST_F(JobListTest, SeveralJobsWithoutOutputGoToTheRoot) {
    folder_.Write("docs/a.doc");
    folder_.Write("docs/a.xls");
    Build(folder_ / "docs/a.*");  // '*' only in the extension: one literal job
    ASSERT_EQ(jobs_.size(), 1u);
    EXPECT_EQ(jobs_[0].input, folder_ / "docs/a.*");

    jobs_.clear();
    Build(folder_ / "docs/*");
    AssignOutputNames(jobs_, outputSpec_);
    // Both documents are named a.pdf: the second meets the first's output.
    EXPECT_EQ(Outputs(jobs_), (std::vector<std::string>{"/a.pdf", "/a.pdf"}));
}

TEST_F(JobListTest, QuestionMarkWithoutStarIsALiteralName) {
    folder_.Write("docs/a1.doc");
    Build(folder_ / "docs/a?.doc");
    ASSERT_EQ(jobs_.size(), 1u);
    EXPECT_EQ(jobs_[0].input, folder_ / "docs/a?.doc");

    jobs_.clear();
    Build(folder_ / "docs/*?.doc");
    EXPECT_EQ(Inputs(jobs_), (std::vector<std::string>{folder_ / "docs/a1.doc"}));
}

TEST_F(JobListTest, PatternOrDirectoryWithoutFilesGivesNoJobs) {
    folder_.MakeFolder("empty/sub");
    Build(folder_ / "empty");
    EXPECT_TRUE(jobs_.empty());
    Build(folder_ / "nowhere/*.doc");
    EXPECT_TRUE(jobs_.empty());
}

TEST_F(JobListTest, ListFileJobsAllShareTheOutput) {
    const std::string list = folder_.Write("docs.VER", "one.doc\ntwo.xls\nthree.ppt\n");
    settings_.collisionMode = kCollisionAppend;
    Build(list, folder_ / "all.pdf");
    ASSERT_EQ(jobs_.size(), 3u);
    EXPECT_EQ(jobs_[0].input, "one.doc");
    EXPECT_EQ(jobs_[1].input, "two.xls");
    EXPECT_EQ(jobs_[2].input, "three.ppt");
    AssignOutputNames(jobs_, outputSpec_);
    for (const ConversionJob& job : jobs_) {
        EXPECT_EQ(job.output, folder_ / "all.pdf");
    }
    EXPECT_EQ(settings_.collisionMode, kCollisionAppend);
}

TEST_F(JobListTest, ListFileTurnsOverwriteAndRenameIntoAppend) {
    const std::string list = folder_.Write("docs.ver", "one.doc\ntwo.doc\n");
    const std::string existing = folder_.Write("all.pdf", "old pages");

    settings_.collisionMode = kCollisionRename;
    Build(list, existing);
    EXPECT_EQ(settings_.collisionMode, kCollisionAppend);
    EXPECT_EQ(outputSpec_, folder_ / "all000.pdf");
    EXPECT_EQ(jobs_[1].output, folder_ / "all000.pdf");
    EXPECT_EQ(ReadFile(existing), "old pages");

    jobs_.clear();
    settings_.collisionMode = kCollisionInsert;
    Build(list, existing);
    EXPECT_EQ(settings_.collisionMode, kCollisionInsert);
    EXPECT_TRUE(platform::PathExists(existing));

    jobs_.clear();
    settings_.collisionMode = kCollisionOverwrite;
    Build(list, existing);
    EXPECT_EQ(settings_.collisionMode, kCollisionAppend);
    EXPECT_EQ(jobs_[0].output, existing);
    EXPECT_FALSE(platform::PathExists(existing));
}

TEST_F(JobListTest, UnreadableListFileGivesNoJobsAndKeepsTheOutput) {
    const std::string existing = folder_.Write("all.pdf", "old pages");
    const std::string folderList = folder_.MakeFolder("looks like a list.ver");
    for (const std::string& list : {folder_ / "missing.ver", folderList}) {
        settings_.collisionMode = kCollisionOverwrite;
        Build(list, existing);
        EXPECT_TRUE(jobs_.empty()) << list;
        EXPECT_EQ(ReadFile(existing), "old pages");
    }
}

TEST_F(JobListTest, ListFileWithOneEntryAndNoOutputIsNamedBesideTheDocument) {
    const std::string list = folder_.Write("one.ver", "docs/only.rtf\n");
    Build(list);
    AssignOutputNames(jobs_, outputSpec_);
    ASSERT_EQ(jobs_.size(), 1u);
    EXPECT_EQ(jobs_[0].output, "docs/only.pdf");
}

TEST(MakeFreeNameTest, CountsFromZeroWithAtLeastThreeDigits) {
    TestFolder folder;
    std::string path = folder.Write("report.pdf");
    ASSERT_TRUE(MakeFreeName(path));
    EXPECT_EQ(path, folder / "report000.pdf");

    for (int i = 0; i < 1000; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "report%03d.pdf", i);
        folder.Write(name);
    }
    path = folder / "report.pdf";
    ASSERT_TRUE(MakeFreeName(path));
    EXPECT_EQ(path, folder / "report1000.pdf");

    std::string noExtension = folder / "notes";
    ASSERT_TRUE(MakeFreeName(noExtension));
    EXPECT_EQ(noExtension, folder / "notes000");
}

TEST(MakeFreeNameTest, FailsWhenEveryCandidateIsTaken) {
    TestFolder folder;
    for (int i = 0; i < kFreeNameTries; ++i) {
        folder.Write("r" +
                     std::string(i < 10    ? "00"
                                 : i < 100 ? "0"
                                           : "") +
                     std::to_string(i) + ".pdf");
    }
    std::string path = folder / "r.pdf";
    EXPECT_FALSE(MakeFreeName(path));
    EXPECT_EQ(path, folder / "r.pdf");

    platform::DeleteFile(folder / "r4095.pdf");
    ASSERT_TRUE(MakeFreeName(path));
    EXPECT_EQ(path, folder / "r4095.pdf");
}

TEST(MakeTempOutputNameTest, CreatesAFreshFileWithTheExtension) {
    TestFolder folder;
    const auto first = MakeTempOutputName(".pdf", folder.Path());
    const auto second = MakeTempOutputName(".pdf", folder.Path());
    ASSERT_TRUE(first && second);
    EXPECT_NE(*first, *second);
    for (const std::string& path : {*first, *second}) {
        EXPECT_EQ(path.rfind(folder / "pdf", 0), 0u) << path;
        EXPECT_EQ(path.substr(path.size() - 4), ".pdf");
        EXPECT_TRUE(platform::PathExists(path));
    }
    EXPECT_FALSE(MakeTempOutputName(".tif", folder / "no such folder"));
}

}  // namespace
}  // namespace scrivola
