#include "ConversionLoop.h"

#include <gtest/gtest.h>
#include <stdio.h>

#include <filesystem>
#include <string>
#include <vector>

#include "OutputNames.h"
#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "testing/PrivateHome.h"

namespace scrivola {
namespace {

using testsupport::PrivateHome;
using testsupport::ReadFile;
using Arguments = std::vector<std::string>;

// Drives RunJobs with a fake printer and a fake toolkit that only records
// what it was asked to run.
class ConversionLoopTest : public ::testing::Test {
  protected:
    PrivateHome m_folder;
    ConversionSettings m_settings;
    std::vector<std::pair<std::string, std::string>> m_conversions;
    std::vector<Arguments> m_toolRuns;
    std::vector<std::string> m_opened;
    bool m_conversionSucceeds = true;

    JobServices Services(std::FILE* output) {
        JobServices services;
        services.convert = [this](const std::string& input, const std::string& working) {
            m_conversions.emplace_back(input, working);
            if (!m_conversionSucceeds) {
                return 0;
            }
            std::filesystem::create_directories(std::filesystem::path(working).parent_path());
            m_folder.Write(std::filesystem::relative(working, m_folder.Path()).string(),
                           "printed " + input);
            return 1;
        };
        services.toolkit.path = "/opt/scrivola/tools.cfg";
        services.toolkit.runCommand = [this](const std::string& commandLine) {
            m_toolRuns.push_back(platform::SplitCommandLine(commandLine));
            return 0;
        };
        services.openDocument = [this](std::string_view target) {
            m_opened.emplace_back(target);
            return 42;
        };
        services.output = output;
        return services;
    }

    // Runs the jobs and returns what they wrote to standard output.
    std::string Run(const JobList& jobs, int* lastResult = nullptr, int* failures = nullptr) {
        char* buffer = nullptr;
        std::size_t size = 0;
        std::FILE* output = open_memstream(&buffer, &size);
        const int result = RunJobs(jobs, m_settings, Services(output), failures);
        std::fclose(output);
        std::string text(buffer, size);
        free(buffer);
        if (lastResult) {
            *lastResult = result;
        }
        return text;
    }

    bool TemporaryFolderIsEmpty() const { return std::filesystem::is_empty(m_folder / "tmp"); }
};

TEST_F(ConversionLoopTest, ProgressLinesAndResultLines) {
    const JobList three = {{"a.doc", m_folder / "a.pdf"},
                           {"b.doc", m_folder / "b.pdf"},
                           {"c.doc", m_folder / "c.pdf"}};
    EXPECT_EQ(Run(three), "Folivosoft Inc: 33\na.doc ==> " + (m_folder / "a.pdf") +
                              ", result=1\nFolivosoft Inc: 66\nb.doc ==> " + (m_folder / "b.pdf") +
                              ", result=1\nFolivosoft Inc: 99\nc.doc ==> " + (m_folder / "c.pdf") +
                              ", result=1\n");

    JobList four = three;
    four.push_back({"d.doc", m_folder / "d.pdf"});
    std::string text = Run(four);
    for (const char* line : {"Folivosoft Inc: 24\n", "Folivosoft Inc: 49\n", "Folivosoft Inc: 74\n",
                             "Folivosoft Inc: 99\n"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line;
    }

    // One job: no progress line; paths are text, not format directives.
    int result = -1;
    EXPECT_EQ(Run({{"100%s.doc", m_folder / "%d.pdf"}}, &result),
              "100%s.doc ==> " + (m_folder / "%d.pdf") + ", result=1\n");
    EXPECT_EQ(result, 1);
}

TEST_F(ConversionLoopTest, NoJobsReturnsOne) {
    int result = 0;
    EXPECT_EQ(Run({}, &result), "");
    EXPECT_EQ(result, 1);
}

TEST_F(ConversionLoopTest, OverwriteAndRenameLetThePrinterWriteTheOutput) {
    const std::string existing = m_folder.Write("a.pdf", "old");
    m_settings.collisionMode = CollisionMode::kOverwrite;
    Run({{"x.doc", existing}});
    EXPECT_EQ(m_conversions.back().second, existing);
    EXPECT_EQ(ReadFile(existing), "printed x.doc");

    m_settings.collisionMode = CollisionMode::kRename;
    const std::string text = Run({{"y.doc", existing}});
    EXPECT_EQ(m_conversions.back().second, m_folder / "a000.pdf");
    EXPECT_EQ(text, "y.doc ==> " + (m_folder / "a000.pdf") + ", result=1\n");
    EXPECT_EQ(ReadFile(existing), "printed x.doc");
    EXPECT_TRUE(m_toolRuns.empty());  // no information, nothing to merge
}

TEST_F(ConversionLoopTest, InsertAndAppendPrintToAPrivateTemporaryFileAndMerge) {
    const std::string existing = m_folder.Write("a.pdf", "old");
    for (const CollisionMode mode : {CollisionMode::kInsert, CollisionMode::kAppend}) {
        m_settings.collisionMode = mode;
        m_toolRuns.clear();
        const std::string text = Run({{"x.doc", existing}});

        const std::string working = m_conversions.back().second;
        const std::filesystem::path workingPath(working);
        EXPECT_EQ(workingPath.parent_path().parent_path(), m_folder / "tmp");
        EXPECT_EQ(workingPath.filename().string().rfind("pdf", 0), 0u) << working;
        EXPECT_EQ(workingPath.extension(), ".pdf");

        const std::string pages = mode == CollisionMode::kInsert ? "1|0|" + working : working;
        ASSERT_EQ(m_toolRuns.size(), 1u);
        EXPECT_EQ(m_toolRuns[0],
                  (Arguments{"/opt/scrivola/tools.cfg", "-i", existing, "-*", pages}));
        EXPECT_EQ(text, "x.doc ==> " + existing + ", result=1\n");
        EXPECT_TRUE(TemporaryFolderIsEmpty());
    }
}

TEST_F(ConversionLoopTest, TemporaryOutputsAreRemovedOnEveryPath) {
    const std::string existingPdf = m_folder.Write("a.pdf", "old");
    const std::string existingTif = m_folder.Write("a.tif", "old image");
    m_settings.collisionMode = CollisionMode::kAppend;

    // Not a PDF: pages cannot be appended, the image stays as it was.
    int result = 1;
    Run({{"x.doc", existingTif}}, &result);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ReadFile(existingTif), "old image");
    EXPECT_TRUE(m_toolRuns.empty());
    EXPECT_TRUE(TemporaryFolderIsEmpty());

    // A failed conversion merges nothing.
    m_conversionSucceeds = false;
    Run({{"x.doc", existingPdf}}, &result);
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(m_toolRuns.empty());
    EXPECT_TRUE(TemporaryFolderIsEmpty());
    EXPECT_EQ(ReadFile(existingPdf), "old");
}

// Jobs that would destroy or silently drop something fail before anything
// runs, with their reason on standard error; the files stay as they were.
TEST_F(ConversionLoopTest, RefusedJobsFailWithAReasonAndTouchNothing) {
    const std::string text = m_folder.Write("same.txt", "the document");
    const std::string link = m_folder / "link.txt";
    std::filesystem::create_symlink(text, link);
    const std::string image = m_folder.Write("old.png", "old image");
    const struct {
        const char* what;
        ConversionJob job;
        CollisionMode mode;
        const char* reason;
    } cases[] = {
        {"output is the input", {text, text, {}}, CollisionMode::kOverwrite, "the document itself"},
        {"output is a link to the input",
         {text, link, {}},
         CollisionMode::kOverwrite,
         "the document itself"},
        {"insert into an image", {"x.doc", image, {}}, CollisionMode::kInsert, "PDF files only"},
        {"append to an image", {"x.doc", image, {}}, CollisionMode::kAppend, "PDF files only"},
        {"a list line too long",
         {"x.doc", m_folder / "x.pdf", "the list's line is too long"},
         CollisionMode::kOverwrite,
         "too long"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        m_settings.collisionMode = c.mode;
        ::testing::internal::CaptureStderr();
        int result = 1;
        EXPECT_EQ(Run({c.job}, &result), c.job.input + " ==> " + c.job.output + ", result=0\n");
        EXPECT_NE(::testing::internal::GetCapturedStderr().find(c.reason), std::string::npos);
        EXPECT_EQ(result, 0);
    }
    EXPECT_TRUE(m_conversions.empty());
    EXPECT_TRUE(m_toolRuns.empty());
    EXPECT_EQ(ReadFile(text), "the document");
    EXPECT_EQ(ReadFile(image), "old image");
}

// A merge the toolkit refuses (a damaged or protected output) fails the job;
// reporting success would throw the new pages away unnoticed.
TEST_F(ConversionLoopTest, AFailedMergeOrInformationFailsTheJob) {
    const std::string existing = m_folder.Write("a.pdf", "old");
    JobServices services = Services(stdout);
    m_settings.collisionMode = CollisionMode::kAppend;
    for (const bool withTitle : {false, true}) {
        m_settings.title = withTitle ? "T" : "";
        services.toolkit.runCommand = [](const std::string&) { return 1; };
        ::testing::internal::CaptureStderr();
        ::testing::internal::CaptureStdout();
        const int result = RunJobs({{"x.doc", existing}}, m_settings, services);
        ::testing::internal::GetCapturedStdout();
        EXPECT_NE(::testing::internal::GetCapturedStderr().find("x.doc"), std::string::npos);
        EXPECT_EQ(result, 0);
        EXPECT_EQ(ReadFile(existing), "old");
        EXPECT_TRUE(TemporaryFolderIsEmpty());
    }
}

TEST_F(ConversionLoopTest, JobsThatCannotNameAWorkingOutputFailAtOnce) {
    const std::string existing = m_folder.Write("r.pdf", "old");
    m_settings.collisionMode = static_cast<CollisionMode>(7);
    int result = -1;
    int failures = 0;
    EXPECT_EQ(Run({{"x.doc", existing}, {"y.doc", m_folder / "new.pdf"}}, &result, &failures),
              "Folivosoft Inc: 49\nx.doc ==> " + existing +
                  ", result=0\nFolivosoft Inc: 99\ny.doc ==> " + (m_folder / "new.pdf") +
                  ", result=1\n");
    EXPECT_EQ(failures, 1);
    EXPECT_EQ(result, 1);
    ASSERT_EQ(m_conversions.size(), 1u);  // the unknown mode converted nothing
    EXPECT_EQ(m_conversions[0].first, "y.doc");

    // Rename with every free name taken.
    for (int i = 0; i < kFreeNameTries; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "r%03d.pdf", i);
        m_folder.Write(name);
    }
    m_settings.collisionMode = CollisionMode::kRename;
    EXPECT_EQ(Run({{"z.doc", existing}}, &result), "z.doc ==> " + existing + ", result=0\n");
    EXPECT_EQ(result, 0);
    EXPECT_EQ(m_conversions.size(), 1u);
    EXPECT_EQ(ReadFile(existing), "old");
}

TEST_F(ConversionLoopTest, DocumentInformationIsAppliedToTheWorkingOutput) {
    m_settings.title = "He said \"yes\" C:\\dir\\";
    const std::string output = m_folder / "caf\xc3\xa9 report.PDF";
    Run({{"x.doc", output}});
    ASSERT_EQ(m_toolRuns.size(), 1u);
    EXPECT_EQ(m_toolRuns[0], (Arguments{"/opt/scrivola/tools.cfg", "-i", output, "-o", output, "-t",
                                        m_settings.title, "-a", "", "-s", "", "-k", ""}));

    // With an existing output and append, information first, then the merge.
    m_settings.collisionMode = CollisionMode::kAppend;
    m_settings.title.clear();
    m_settings.subject = "S";
    m_settings.author = "A";
    m_settings.keywords = "K";
    m_toolRuns.clear();
    Run({{"y.doc", output}});
    ASSERT_EQ(m_toolRuns.size(), 2u);
    const std::string working = m_conversions.back().second;
    EXPECT_EQ(m_toolRuns[0], (Arguments{"/opt/scrivola/tools.cfg", "-i", working, "-o", working,
                                        "-t", "", "-a", "A", "-s", "S", "-k", "K"}));
    EXPECT_EQ(m_toolRuns[1][2], output);
}

TEST_F(ConversionLoopTest, ViewingOpensOnlySuccessfulOutputs) {
    m_settings.viewAfterConversion = 1;
    Run({{"x.doc", m_folder / "x.pdf"}});
    m_conversionSucceeds = false;
    Run({{"y.doc", m_folder / "y.pdf"}});
    EXPECT_EQ(m_opened, std::vector<std::string>{m_folder / "x.pdf"});
}

}  // namespace
}  // namespace scrivola
