// A failed run leaves the file it works on byte for byte as it was and no
// temporary file behind.
#include <sys/stat.h>

#include <filesystem>
#include <stdexcept>

#include <gtest/gtest.h>

#include "TestSupport.h"
#include "pdftool/ToolError.h"

namespace pdftool {
namespace {

using namespace pdftool_test;

struct Damage {
    std::string name;
    std::string (*make)(const std::string& validPdf);
};

// startxref pointing nowhere: qpdf could rebuild the table, but we refuse to
// rewrite a file that needed repair.
std::string WithBrokenXrefOffset(const std::string& pdf) {
    const size_t at = pdf.rfind("startxref\n");
    const size_t end = pdf.find('\n', at + 10);
    return pdf.substr(0, at + 10) + "9" + pdf.substr(end);
}

const Damage kDamages[] = {
    {"not a PDF", [](const std::string&) { return std::string("Just some text, no PDF.\n"); }},
    {"empty", [](const std::string&) { return std::string(); }},
    {"cut in half", [](const std::string& pdf) { return pdf.substr(0, pdf.size() / 2); }},
    {"broken xref offset", WithBrokenXrefOffset},
};

void ExpectOneLineError(const ProgramResult& result) {
    EXPECT_EQ(result.exitCode, 1) << result.err;
    EXPECT_EQ(result.err.rfind("tools.cfg: ", 0), 0u) << result.err;
    ASSERT_FALSE(result.err.empty());
    EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << result.err;
}

class ToolsCfgFailure : public ::testing::Test {
  protected:
    ScratchFolder folder;
    std::string finalPdf = folder.File("final.pdf");
    std::string newPdf = folder.File("new.pdf");

    void SetUp() override {
        MakeTextPdf(finalPdf, {"old one", "old two", "old three"}, {{"Title", "Original"}});
        MakeTextPdf(newPdf, {"new one"});
    }
};

TEST_F(ToolsCfgFailure, DamagedFileToMergeLeavesFinalUnchanged) {
    const std::string finalBefore = ReadBytes(finalPdf);
    const std::string valid = ReadBytes(newPdf);
    for (const Damage& damage : kDamages) {
        SCOPED_TRACE(damage.name);
        WriteBytes(newPdf, damage.make(valid));
        for (const std::string prefix : {"1|0|", ""}) {
            ExpectOneLineError(RunTool({"-i", finalPdf, "-*", prefix + newPdf}));
            EXPECT_EQ(ReadBytes(finalPdf), finalBefore);
            EXPECT_EQ(folder.Names(), (std::vector<std::string>{"final.pdf", "new.pdf"}));
        }
    }
}

TEST_F(ToolsCfgFailure, DamagedFinalIsNotRewritten) {
    const std::string valid = ReadBytes(finalPdf);
    for (const Damage& damage : kDamages) {
        SCOPED_TRACE(damage.name);
        const std::string damaged = damage.make(valid);
        WriteBytes(finalPdf, damaged);
        const std::vector<std::vector<std::string>> commands = {
            {"-i", finalPdf, "-*", newPdf},
            {"-i", finalPdf, "-*", "1|0|" + newPdf},
            {"-i", finalPdf, "-o", finalPdf, "-t", "T", "-a", "", "-s", "", "-k", ""},
        };
        for (const auto& command : commands) {
            ExpectOneLineError(RunTool(command));
            EXPECT_EQ(ReadBytes(finalPdf), damaged);
            EXPECT_EQ(folder.Names(), (std::vector<std::string>{"final.pdf", "new.pdf"}));
        }
    }
}

TEST_F(ToolsCfgFailure, MissingFiles) {
    const std::string finalBefore = ReadBytes(finalPdf);
    const auto missingSource = RunTool({"-i", finalPdf, "-*", folder.File("gone.pdf")});
    ExpectOneLineError(missingSource);
    EXPECT_NE(missingSource.err.find("gone.pdf"), std::string::npos);
    EXPECT_EQ(ReadBytes(finalPdf), finalBefore);

    const std::string missingFinal = folder.File("no-final.pdf");
    ExpectOneLineError(RunTool({"-i", missingFinal, "-*", newPdf}));
    EXPECT_FALSE(std::filesystem::exists(missingFinal));
}

TEST_F(ToolsCfgFailure, PasswordProtectedFinalIsLeftAlone) {
    const std::string locked = folder.File("locked.pdf");
    ASSERT_EQ(RunProgram({"qpdf", "--allow-weak-crypto", "--encrypt", "user", "owner", "40", "--",
                          finalPdf, locked})
                  .exitCode,
              0);
    const std::string before = ReadBytes(locked);
    const auto result = RunTool({"-i", locked, "-*", newPdf});
    ExpectOneLineError(result);
    EXPECT_NE(result.err.find("password"), std::string::npos) << result.err;
    EXPECT_EQ(ReadBytes(locked), before);
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"final.pdf", "locked.pdf", "new.pdf"}));
}

TEST_F(ToolsCfgFailure, UnwritableFolder) {
    // Run a copy of the program as an unprivileged user, since root may write
    // anywhere; the copy sits where that user can run it.
    const std::string locked = folder.File("locked");
    const std::string tool = folder.File("tools.cfg");
    std::filesystem::create_directory(locked);
    std::filesystem::copy_file(ToolPath(), tool);
    const std::string lockedFinal = locked + "/final.pdf";
    std::filesystem::copy_file(finalPdf, lockedFinal);
    const std::string before = ReadBytes(lockedFinal);
    const std::string home = std::filesystem::path(folder.path()).parent_path().string();
    ASSERT_EQ(chmod(home.c_str(), 0755), 0);
    ASSERT_EQ(chmod(folder.path().c_str(), 0755), 0);
    ASSERT_EQ(chmod(newPdf.c_str(), 0644), 0);
    ASSERT_EQ(chmod(lockedFinal.c_str(), 0644), 0);
    ASSERT_EQ(chmod(locked.c_str(), 0555), 0);

    RunOptions unprivileged;
    unprivileged.asUnprivilegedUser = true;
    const auto merge = RunProgram({tool, "-i", lockedFinal, "-*", newPdf}, unprivileged);
    ExpectOneLineError(merge);
    EXPECT_NE(merge.err.find("cannot create a temporary file"), std::string::npos) << merge.err;
    ExpectOneLineError(RunProgram({tool, "-i", lockedFinal, "-t", "T"}, unprivileged));

    EXPECT_EQ(ReadBytes(lockedFinal), before);
    EXPECT_EQ(std::filesystem::directory_iterator(locked)->path().filename(), "final.pdf");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(locked), {}), 1);
}

TEST_F(ToolsCfgFailure, WriteFailingHalfwayRemovesTheTemporaryFile) {
    const std::string before = ReadBytes(finalPdf);
    RunOptions smallFiles;
    smallFiles.fileSizeLimit = static_cast<long>(before.size() / 2);
    const auto result = RunTool({"-i", finalPdf, "-*", newPdf}, smallFiles);
    ExpectOneLineError(result);
    EXPECT_NE(result.err.find("File too large"), std::string::npos) << result.err;
    EXPECT_EQ(ReadBytes(finalPdf), before);
    EXPECT_EQ(folder.Names(), (std::vector<std::string>{"final.pdf", "new.pdf"}));
}

}  // namespace
}  // namespace pdftool
