// Runs the built program as a child without a terminal, as the front end
// does, so the key wait after the usage text returns at once.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "Usage.h"
#include "platform/Process.h"
#include "testing/PrivateHome.h"

namespace scrivola {
namespace {

using testsupport::PrivateHome;

struct RunResult {
    int exitStatus;
    std::string output;
};

RunResult RunScrivola(const std::vector<std::string>& arguments) {
    const char* binDir = std::getenv("SCRIVOLA_BIN_DIR");
    std::vector<std::string> command = {"setsid", "--wait",
                                        std::string(binDir ? binDir : ".") + "/scrivola"};
    command.insert(command.end(), arguments.begin(), arguments.end());
    platform::ProcessOptions options;
    options.captureOutput = true;
    auto child = platform::Process::StartArguments(command, options);
    if (!child) {
        ADD_FAILURE() << "cannot start scrivola";
        return {-1, ""};
    }
    std::string output = child->ReadAll();
    return {child->Wait(), output};
}

TEST(ConverterProcessTest, TextHasItsLinesInOrder) {
    std::vector<std::string> lines;
    std::istringstream text(UsageText());
    for (std::string line; std::getline(text, line);) {
        lines.push_back(line);
    }
    ASSERT_EQ(lines.size(), 32u);
    EXPECT_EQ(lines[0], "Folivo Document Converter Command Line v2.1");
    EXPECT_EQ(lines[2], "Web: https://scrivola.example.org/");
    EXPECT_EQ(lines[3], "Email: support@scrivola.example.org");
    EXPECT_EQ(lines[4], std::string(55, '-'));
    EXPECT_EQ(lines[8], "Usage: scrivola [options] <-i Document Files> [-o Output]");
    EXPECT_EQ(lines[22], std::string(55, '-'));
    EXPECT_EQ(lines[24], "    scrivola -i C:\\input.doc -o C:\\output.pdf");
    EXPECT_EQ(lines[31], "    scrivola -a \"Author\" -i C:\\input.dwg -o C:\\output.pdf");
    EXPECT_EQ(UsageText().back(), '\n');
}

TEST(ConverterProcessTest, MalformedCommandLinesShowTheUsageAndExitWithOne) {
    const std::string expected = UsageText() + "Press any key to continue...\n";
    const std::vector<std::vector<std::string>> commandLines = {
        {},
        {"-?"},
        {"-i"},
        {"-o", "out.pdf", "doc.doc", "-i", "a.doc"},
        {"-x", "-i", "a.doc"},
        {"-i", std::string(260, 'n') + ".doc"},
        {"-t", std::string(1024, 't'), "-i", "a.doc"},
    };
    for (const auto& arguments : commandLines) {
        const RunResult result = RunScrivola(arguments);
        EXPECT_EQ(result.exitStatus, 1) << ::testing::PrintToString(arguments);
        EXPECT_EQ(result.output, expected) << ::testing::PrintToString(arguments);
    }
}

TEST(ConverterProcessTest, EmptyJobListEndsQuietly) {
    PrivateHome folder;
    const std::string emptyList = folder.Write("empty.ver", "\nnot read.doc\n");
    for (const std::string& input : {folder / "*.doc", emptyList, folder / "missing.ver"}) {
        const RunResult result = RunScrivola({"-i", input, "-o", folder / "out.pdf"});
        EXPECT_EQ(result.exitStatus, 0) << input;
        EXPECT_EQ(result.output, "") << input;
    }
}

TEST(ConverterProcessTest, MissingPrinterEndsTheRunWithStatusZeroAndNoResultLine) {
    PrivateHome folder;  // a user without the virtual printer
    const std::string input = folder.Write("a.txt", "text\n");
    const std::string existing = folder.Write("out.pdf", "old");
    const RunResult result = RunScrivola({"-p", "2", "-i", input, "-o", existing});
    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.output, "");
    EXPECT_EQ(testsupport::ReadFile(existing), "old");
    // The job's private temporary folder goes even though the run ended early.
    EXPECT_TRUE(std::filesystem::is_empty(folder / "tmp"));
}

// A damaged registry file: a clear message and a failing status, and the
// file stays byte for byte as it was.
TEST(ConverterProcessTest, ABinaryRegistryFileFailsTheJobAndIsLeftAsItIs) {
    PrivateHome folder;
    std::string junk(3000, '\0');
    for (std::size_t i = 0; i < junk.size(); ++i) {
        junk[i] = static_cast<char>((i * 7919 + 13) & 0xFF);
    }
    const std::string registry = folder.Write("config/scrivola/registry.reg", junk);
    const std::string input = folder.Write("a.txt", "text\n");
    const RunResult result = RunScrivola({"-i", input, "-o", folder / "a.pdf"});
    EXPECT_NE(result.exitStatus, 0);
    EXPECT_NE(result.output.find("cannot write the virtual printer's settings in " + registry),
              std::string::npos)
        << result.output;
    EXPECT_NE(result.output.find("result=0"), std::string::npos) << result.output;
    EXPECT_EQ(testsupport::ReadFile(registry), junk);
}

}  // namespace
}  // namespace scrivola
