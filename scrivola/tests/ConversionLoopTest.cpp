#include "scrivola/ConversionLoop.h"

#include <gtest/gtest.h>
#include <stdio.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "scrivola/OutputNames.h"
#include "scrivola/tests/TestFolder.h"

namespace scrivola {
namespace {

using scrivola::testing::ReadFile;
using scrivola::testing::TestFolder;
using Arguments = std::vector<std::string>;

// Drives RunJobs with a fake printer and a fake toolkit that only records
// what it was asked to run.
class ConversionLoopTest : public ::testing::Test {
  protected:
    TestFolder folder_{true};
    ConversionSettings settings_;
    std::vector<std::pair<std::string, std::string>> conversions_;
    std::vector<Arguments> toolRuns_;
    std::vector<std::string> opened_;
    bool conversionSucceeds_ = true;

    JobServices Services(std::FILE* output) {
        JobServices services;
        services.convert = [this](const std::string& input, const std::string& working) {
            conversions_.emplace_back(input, working);
            if (!conversionSucceeds_) {
                return 0;
            }
            std::filesystem::create_directories(std::filesystem::path(working).parent_path());
            folder_.Write(std::filesystem::relative(working, folder_.Path()).string(),
                          "printed " + input);
            return 1;
        };
        services.toolkit.path = "/opt/scrivola/tools.cfg";
        services.toolkit.runCommand = [this](const std::string& commandLine) {
            toolRuns_.push_back(platform::SplitCommandLine(commandLine));
            return 0;
        };
        services.openDocument = [this](std::string_view target) {
            opened_.emplace_back(target);
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
        const int result = RunJobs(jobs, settings_, Services(output), failures);
        std::fclose(output);
        std::string text(buffer, size);
        free(buffer);
        if (lastResult) {
            *lastResult = result;
        }
        return text;
    }

    bool TemporaryFolderIsEmpty() const { return std::filesystem::is_empty(folder_ / "TMPDIR"); }
};

TEST_F(ConversionLoopTest, ProgressLinesAndResultLines) {
    const JobList three = {
        {"a.doc", folder_ / "a.pdf"}, {"b.doc", folder_ / "b.pdf"}, {"c.doc", folder_ / "c.pdf"}};
    EXPECT_EQ(Run(three), "Folivosoft Inc: 33\na.doc ==> " + (folder_ / "a.pdf") +
                              ", result=1\nFolivosoft Inc: 66\nb.doc ==> " + (folder_ / "b.pdf") +
                              ", result=1\nFolivosoft Inc: 99\nc.doc ==> " + (folder_ / "c.pdf") +
                              ", result=1\n");

    JobList four = three;
    four.push_back({"d.doc", folder_ / "d.pdf"});
    std::string text = Run(four);
    for (const char* line : {"Folivosoft Inc: 24\n", "Folivosoft Inc: 49\n", "Folivosoft Inc: 74\n",
                             "Folivosoft Inc: 99\n"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line;
    }

    // One job: no progress line; paths are text, not format directives.
    int result = -1;
    EXPECT_EQ(Run({{"100%s.doc", folder_ / "%d.pdf"}}, &result),
              "100%s.doc ==> " + (folder_ / "%d.pdf") + ", result=1\n");
    EXPECT_EQ(result, 1);
}

TEST_F(ConversionLoopTest, NoJobsReturnsOne) {
    int result = 0;
    EXPECT_EQ(Run({}, &result), "");
    EXPECT_EQ(result, 1);
}

TEST_F(ConversionLoopTest, OverwriteAndRenameLetThePrinterWriteTheOutput) {
    const std::string existing = folder_.Write("a.pdf", "old");
    settings_.collisionMode = kCollisionOverwrite;
    Run({{"x.doc", existing}});
    EXPECT_EQ(conversions_.back().second, existing);
    EXPECT_EQ(ReadFile(existing), "printed x.doc");

    settings_.collisionMode = kCollisionRename;
    const std::string text = Run({{"y.doc", existing}});
    EXPECT_EQ(conversions_.back().second, folder_ / "a000.pdf");
    EXPECT_EQ(text, "y.doc ==> " + (folder_ / "a000.pdf") + ", result=1\n");
    EXPECT_EQ(ReadFile(existing), "printed x.doc");
    EXPECT_TRUE(toolRuns_.empty());  // no information, nothing to merge
}

TEST_F(ConversionLoopTest, InsertAndAppendPrintToAPrivateTemporaryFileAndMerge) {
    const std::string existing = folder_.Write("a.pdf", "old");
    for (const int mode : {kCollisionInsert, kCollisionAppend}) {
        settings_.collisionMode = mode;
        toolRuns_.clear();
        const std::string text = Run({{"x.doc", existing}});

        const std::string working = conversions_.back().second;
        const std::filesystem::path workingPath(working);
        EXPECT_EQ(workingPath.parent_path().parent_path(), folder_ / "TMPDIR");
        EXPECT_EQ(workingPath.filename().string().rfind("pdf", 0), 0u) << working;
        EXPECT_EQ(workingPath.extension(), ".pdf");

        const std::string pages = mode == kCollisionInsert ? "1|0|" + working : working;
        ASSERT_EQ(toolRuns_.size(), 1u);
        EXPECT_EQ(toolRuns_[0],
                  (Arguments{"/opt/scrivola/tools.cfg", "-i", existing, "-*", pages}));
        EXPECT_EQ(text, "x.doc ==> " + existing + ", result=1\n");
        EXPECT_TRUE(TemporaryFolderIsEmpty());
    }
}

TEST_F(ConversionLoopTest, TemporaryOutputsAreRemovedOnEveryPath) {
    const std::string existingPdf = folder_.Write("a.pdf", "old");
    const std::string existingTif = folder_.Write("a.tif", "old image");
    settings_.collisionMode = kCollisionAppend;

    // Not a PDF: nothing to merge, the image stays as it was.
    int result = 0;
    Run({{"x.doc", existingTif}}, &result);
    EXPECT_EQ(result, 1);
    EXPECT_EQ(ReadFile(existingTif), "old image");
    EXPECT_TRUE(toolRuns_.empty());
    EXPECT_TRUE(TemporaryFolderIsEmpty());

    // A failed conversion merges nothing.
    conversionSucceeds_ = false;
    Run({{"x.doc", existingPdf}}, &result);
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(toolRuns_.empty());
    EXPECT_TRUE(TemporaryFolderIsEmpty());
    EXPECT_EQ(ReadFile(existingPdf), "old");
}

TEST_F(ConversionLoopTest, JobsThatCannotNameAWorkingOutputFailAtOnce) {
    const std::string existing = folder_.Write("r.pdf", "old");
    settings_.collisionMode = 7;
    int result = -1;
    int failures = 0;
    EXPECT_EQ(Run({{"x.doc", existing}, {"y.doc", folder_ / "new.pdf"}}, &result, &failures),
              "Folivosoft Inc: 49\nx.doc ==> " + existing +
                  ", result=0\nFolivosoft Inc: 99\ny.doc ==> " + (folder_ / "new.pdf") +
                  ", result=1\n");
    EXPECT_EQ(failures, 1);
    EXPECT_EQ(result, 1);
    ASSERT_EQ(conversions_.size(), 1u);  // the unknown mode converted nothing
    EXPECT_EQ(conversions_[0].first, "y.doc");

    // Rename with every free name taken.
    for (int i = 0; i < kFreeNameTries; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "r%03d.pdf", i);
        folder_.Write(name);
    }
    settings_.collisionMode = kCollisionRename;
    EXPECT_EQ(Run({{"z.doc", existing}}, &result), "z.doc ==> " + existing + ", result=0\n");
    EXPECT_EQ(result, 0);
    EXPECT_EQ(conversions_.size(), 1u);
    EXPECT_EQ(ReadFile(existing), "old");
}

TEST_F(ConversionLoopTest, DocumentInformationIsAppliedToTheWorkingOutput) {
    settings_.title = "He said \"yes\" C:\\dir\\";
    const std::string output = folder_ / "caf\xc3\xa9 report.PDF";
    Run({{"x.doc", output}});
    ASSERT_EQ(toolRuns_.size(), 1u);
    EXPECT_EQ(toolRuns_[0], (Arguments{"/opt/scrivola/tools.cfg", "-i", output, "-o", output, "-t",
                                       settings_.title, "-a", "", "-s", "", "-k", ""}));

    // With an existing output and append, information first, then the merge.
    settings_.collisionMode = kCollisionAppend;
    settings_.title.clear();
    settings_.subject = "S";
    settings_.author = "A";
    settings_.keywords = "K";
    toolRuns_.clear();
    Run({{"y.doc", output}});
    ASSERT_EQ(toolRuns_.size(), 2u);
    const std::string working = conversions_.back().second;
    EXPECT_EQ(toolRuns_[0], (Arguments{"/opt/scrivola/tools.cfg", "-i", working, "-o", working,
                                       "-t", "", "-a", "A", "-s", "S", "-k", "K"}));
    EXPECT_EQ(toolRuns_[1][2], output);
}

TEST_F(ConversionLoopTest, ViewingOpensOnlySuccessfulOutputs) {
    settings_.viewAfterConversion = 1;
    Run({{"x.doc", folder_ / "x.pdf"}});
    conversionSucceeds_ = false;
    Run({{"y.doc", folder_ / "y.pdf"}});
    EXPECT_EQ(opened_, std::vector<std::string>{folder_ / "x.pdf"});
}

}  // namespace
}  // namespace scrivola
