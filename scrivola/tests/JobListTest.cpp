#include "JobList.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <algorithm>
#include <string>
#include <vector>

#include "OutputNames.h"
#include "platform/FileSystem.h"
#include "testing/PrivateHome.h"

namespace scrivola {
namespace {

using testsupport::PrivateHome;
using testsupport::ReadFile;

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
    PrivateHome m_folder;
    ConversionSettings m_settings;
    JobList m_jobs;

    void Build(std::string inputSpec, std::string outputSpec = "") {
        m_outputSpec = std::move(outputSpec);
        m_inputSpec = std::move(inputSpec);
        BuildJobList(m_inputSpec, m_outputSpec, m_settings, m_jobs);
    }
    std::string m_inputSpec;
    std::string m_outputSpec;
};

TEST_F(JobListTest, SingleDocumentIsTakenAsItIsAndNamedBesideItself) {
    Build(m_folder / "missing report.doc");
    ASSERT_EQ(m_jobs.size(), 1u);
    EXPECT_EQ(m_jobs[0].input, m_folder / "missing report.doc");
    EXPECT_EQ(m_jobs[0].output, "");

    AssignOutputNames(m_jobs, m_outputSpec);
    EXPECT_EQ(m_jobs[0].output, m_folder / "missing report.pdf");
}

TEST_F(JobListTest, SingleDocumentKeepsItsNamedOutput) {
    Build("a.doc", m_folder / "out.tif");
    AssignOutputNames(m_jobs, m_outputSpec);
    EXPECT_EQ(m_jobs[0].output, m_folder / "out.tif");
}

TEST_F(JobListTest, SingleDocumentIntoAnExistingDirectoryGetsItsNameThere) {
    m_folder.MakeFolder("out");
    Build("docs/a.doc", m_folder / "out");
    AssignOutputNames(m_jobs, m_outputSpec);
    EXPECT_EQ(m_jobs[0].output, m_folder / "out/a.pdf");
}

TEST_F(JobListTest, PatternMatchesFilesWithoutRegardToCase) {
    m_folder.Write("docs/a.doc");
    m_folder.Write("docs/B.DOC");
    m_folder.Write("docs/c.xls");
    m_folder.MakeFolder("docs/folder.doc");
    Build(m_folder / "docs/*.doc", m_folder / "*.pdf");
    EXPECT_EQ(Inputs(m_jobs),
              (std::vector<std::string>{m_folder / "docs/B.DOC", m_folder / "docs/a.doc"}));

    AssignOutputNames(m_jobs, m_outputSpec);
    EXPECT_EQ(Outputs(m_jobs), (std::vector<std::string>{m_folder / "B.pdf", m_folder / "a.pdf"}));
}

TEST_F(JobListTest, DirectoryTakesEveryFileAndOutputsGoIntoTheOutputDirectory) {
    m_folder.Write("docs/a.doc");
    m_folder.Write("docs/b.xls");
    m_folder.Write("docs/noextension");
    m_folder.Write("docs/sub/inner.doc");
    m_folder.MakeFolder("out");
    Build(m_folder / "docs", m_folder / "out");
    EXPECT_EQ(m_inputSpec, m_folder / "docs/*.*");
    EXPECT_EQ(Inputs(m_jobs),
              (std::vector<std::string>{m_folder / "docs/a.doc", m_folder / "docs/b.xls",
                                        m_folder / "docs/noextension"}));

    AssignOutputNames(m_jobs, m_outputSpec);
    EXPECT_EQ(Outputs(m_jobs),
              (std::vector<std::string>{m_folder / "out/a.pdf", m_folder / "out/b.pdf",
                                        m_folder / "out/noextension.pdf"}));
}

TEST_F(JobListTest, OutputExtensionComesFromTheOutputSpec) {
    m_folder.Write("docs/a.xls");
    m_folder.Write("docs/b.xls");
    Build(m_folder / "docs/*.xls", m_folder / "images/*.jpg");
    AssignOutputNames(m_jobs, m_outputSpec);
    EXPECT_EQ(Outputs(m_jobs),
              (std::vector<std::string>{m_folder / "images/a.jpg", m_folder / "images/b.jpg"}));
}

TEST_F(JobListTest, SeveralJobsWithoutOutputGoToTheRoot) {
    m_folder.Write("docs/a.doc");
    m_folder.Write("docs/a.xls");
    Build(m_folder / "docs/a.*");  // '*' only in the extension: one literal job
    ASSERT_EQ(m_jobs.size(), 1u);
    EXPECT_EQ(m_jobs[0].input, m_folder / "docs/a.*");

    m_jobs.clear();
    Build(m_folder / "docs/*");
    AssignOutputNames(m_jobs, m_outputSpec);
    // Both documents are named a.pdf: the second meets the first's output.
    EXPECT_EQ(Outputs(m_jobs), (std::vector<std::string>{"/a.pdf", "/a.pdf"}));
}

TEST_F(JobListTest, QuestionMarkWithoutStarIsALiteralName) {
    m_folder.Write("docs/a1.doc");
    Build(m_folder / "docs/a?.doc");
    ASSERT_EQ(m_jobs.size(), 1u);
    EXPECT_EQ(m_jobs[0].input, m_folder / "docs/a?.doc");

    m_jobs.clear();
    Build(m_folder / "docs/*?.doc");
    EXPECT_EQ(Inputs(m_jobs), (std::vector<std::string>{m_folder / "docs/a1.doc"}));
}

TEST_F(JobListTest, PatternOrDirectoryWithoutFilesGivesNoJobs) {
    m_folder.MakeFolder("empty/sub");
    Build(m_folder / "empty");
    EXPECT_TRUE(m_jobs.empty());
    Build(m_folder / "nowhere/*.doc");
    EXPECT_TRUE(m_jobs.empty());
}

TEST_F(JobListTest, ListFileJobsAllShareTheOutput) {
    const std::string list = m_folder.Write("docs.VER", "one.doc\ntwo.xls\nthree.ppt\n");
    m_settings.collisionMode = CollisionMode::kAppend;
    Build(list, m_folder / "all.pdf");
    ASSERT_EQ(m_jobs.size(), 3u);
    EXPECT_EQ(m_jobs[0].input, "one.doc");
    EXPECT_EQ(m_jobs[1].input, "two.xls");
    EXPECT_EQ(m_jobs[2].input, "three.ppt");
    AssignOutputNames(m_jobs, m_outputSpec);
    for (const ConversionJob& job : m_jobs) {
        EXPECT_EQ(job.output, m_folder / "all.pdf");
    }
    EXPECT_EQ(m_settings.collisionMode, CollisionMode::kAppend);
}

TEST_F(JobListTest, ListFileTurnsOverwriteAndRenameIntoAppend) {
    const std::string list = m_folder.Write("docs.ver", "one.doc\ntwo.doc\n");
    const std::string existing = m_folder.Write("all.pdf", "old pages");

    m_settings.collisionMode = CollisionMode::kRename;
    Build(list, existing);
    EXPECT_EQ(m_settings.collisionMode, CollisionMode::kAppend);
    EXPECT_EQ(m_outputSpec, m_folder / "all000.pdf");
    EXPECT_EQ(m_jobs[1].output, m_folder / "all000.pdf");
    EXPECT_EQ(ReadFile(existing), "old pages");

    m_jobs.clear();
    m_settings.collisionMode = CollisionMode::kInsert;
    Build(list, existing);
    EXPECT_EQ(m_settings.collisionMode, CollisionMode::kInsert);
    EXPECT_TRUE(platform::PathExists(existing));

    m_jobs.clear();
    m_settings.collisionMode = CollisionMode::kOverwrite;
    Build(list, existing);
    EXPECT_EQ(m_settings.collisionMode, CollisionMode::kAppend);
    EXPECT_EQ(m_jobs[0].output, existing);
}

// An overwrite keeps the earlier output aside: it goes only once the new
// one exists, and comes back when every document failed.
TEST_F(JobListTest, ListFileOverwriteKeepsTheEarlierOutputUntilANewOneExists) {
    const std::string list = m_folder.Write("docs.ver", "one.doc\ntwo.doc\n");
    const std::string existing = m_folder.Write("out/all.pdf", "old pages");
    for (const bool newOutputWritten : {false, true}) {
        SCOPED_TRACE(newOutputWritten ? "a new output" : "every job failed");
        m_jobs.clear();
        m_settings.collisionMode = CollisionMode::kOverwrite;
        m_outputSpec = existing;
        m_inputSpec = list;
        SetAsideOutput setAside;
        BuildJobList(m_inputSpec, m_outputSpec, m_settings, m_jobs, &setAside);
        EXPECT_FALSE(platform::PathExists(existing)) << "the first job starts it afresh";
        EXPECT_EQ(ReadFile(setAside.aside), "old pages");
        if (newOutputWritten) {
            m_folder.Write("out/all.pdf", "new pages");
        }
        FinishSetAsideOutput(setAside);
        EXPECT_EQ(ReadFile(existing), newOutputWritten ? "new pages" : "old pages");
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_folder / "out"),
                                std::filesystem::directory_iterator()),
                  1);
    }
}

TEST_F(JobListTest, UnreadableListFileGivesNoJobsAndKeepsTheOutput) {
    const std::string existing = m_folder.Write("all.pdf", "old pages");
    const std::string folderList = m_folder.MakeFolder("looks like a list.ver");
    for (const std::string& list : {m_folder / "missing.ver", folderList}) {
        m_settings.collisionMode = CollisionMode::kOverwrite;
        Build(list, existing);
        EXPECT_TRUE(m_jobs.empty()) << list;
        EXPECT_EQ(ReadFile(existing), "old pages");
    }
}

TEST_F(JobListTest, ListFileWithOneEntryAndNoOutputIsNamedBesideTheDocument) {
    const std::string list = m_folder.Write("one.ver", "docs/only.rtf\n");
    Build(list);
    AssignOutputNames(m_jobs, m_outputSpec);
    ASSERT_EQ(m_jobs.size(), 1u);
    EXPECT_EQ(m_jobs[0].output, "docs/only.pdf");
}

TEST(MakeFreeNameTest, CountsFromZeroWithAtLeastThreeDigits) {
    PrivateHome folder;
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
    PrivateHome folder;
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
    PrivateHome folder;
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
