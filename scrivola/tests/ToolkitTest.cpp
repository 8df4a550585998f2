#include "Toolkit.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/FileSystem.h"
#include "platform/ProgramPath.h"
#include "testing/PrivateHome.h"

namespace scrivola {
namespace {

using testsupport::PrivateHome;

TEST(ToolkitTest, CommandLinesQuoteEveryValue) {
    ConversionSettings settings;
    settings.title = "T";
    EXPECT_EQ(DocumentInfoCommand("/opt/tools.cfg", "/out/a b.pdf", settings),
              "\"/opt/tools.cfg\" -i \"/out/a b.pdf\" -o \"/out/a b.pdf\" -t \"T\" -a \"\" -s "
              "\"\" -k \"\"");
    EXPECT_EQ(MergeCommand("/opt/tools.cfg", "/tmp/pdf1.pdf", "/out/a.pdf", CollisionMode::kInsert),
              "\"/opt/tools.cfg\" -i \"/out/a.pdf\" \"-*\" \"1|0|/tmp/pdf1.pdf\"");
    EXPECT_EQ(MergeCommand("/opt/tools.cfg", "/tmp/pdf1.pdf", "/out/a.pdf", CollisionMode::kAppend),
              "\"/opt/tools.cfg\" -i \"/out/a.pdf\" \"-*\" \"/tmp/pdf1.pdf\"");
    settings.title = "ends in \\";
    EXPECT_NE(DocumentInfoCommand("t", "p", settings).find("-t \"ends in \\\\\" -a"),
              std::string::npos);
}

TEST(ToolkitTest, NothingToDoRunsNothing) {
    int runs = 0;
    const Toolkit toolkit{"tools.cfg", [&runs](const std::string&) { return ++runs, 0; }};
    ConversionSettings settings;
    EXPECT_EQ(SetDocumentInfo("/out/a.pdf", settings, toolkit), 1);
    settings.keywords = "k";
    EXPECT_EQ(SetDocumentInfo("", settings, toolkit), 1);
    EXPECT_EQ(MergeIntoOutput("", "/out/a.pdf", settings, toolkit), 0);
    settings.collisionMode = CollisionMode::kRename;
    EXPECT_EQ(MergeIntoOutput("/tmp/w.pdf", "/out/a.pdf", settings, toolkit), 1);
    EXPECT_EQ(runs, 0);

    EXPECT_EQ(SetDocumentInfo("/out/a.pdf", settings, toolkit), 1);
    EXPECT_EQ(runs, 1);
}

// A toolkit that fails (a damaged or locked final output) fails the step,
// even though the final output is still there.
TEST(ToolkitTest, MergeAndInformationReportTheToolkitsResult) {
    PrivateHome folder;
    const std::string final = folder / "final.pdf";
    int status = 1;
    const Toolkit toolkit{"tools.cfg", [&status](const std::string&) { return status; }};
    ConversionSettings settings;
    settings.collisionMode = CollisionMode::kAppend;
    settings.title = "T";
    folder.Write("final.pdf", "x");
    EXPECT_EQ(MergeIntoOutput("/tmp/w.pdf", final, settings, toolkit), 0);
    EXPECT_EQ(SetDocumentInfo(final, settings, toolkit), 0);
    status = 0;
    EXPECT_EQ(MergeIntoOutput("/tmp/w.pdf", final, settings, toolkit), 1);
    EXPECT_EQ(SetDocumentInfo(final, settings, toolkit), 1);
    platform::DeleteFile(final);
    EXPECT_EQ(MergeIntoOutput("/tmp/w.pdf", final, settings, toolkit), 0);
}

TEST(ToolkitTest, RunToolCommandWaitsAndReturnsTheExitCode) {
    PrivateHome folder;
    EXPECT_EQ(RunToolCommand("sh -c \"exit 3\""), 3);
    EXPECT_EQ(RunToolCommand("sh -c \"exit 4\"|"), 4);
    EXPECT_EQ(RunToolCommand(""), -1);
    EXPECT_EQ(RunToolCommand(folder / "no such program"), -1);

    // '&' starts it without waiting.
    const std::string marker = folder / "started";
    EXPECT_EQ(RunToolCommand("sh -c \"sleep 0.2; exit 5\"&"), 0);

    // A long line (titles of 1023 characters make one) runs whole, never cut.
    const std::string longName = folder / std::string(200, 'n');
    std::string line = "touch \"" + marker + "\"";
    for (int i = 0; i < 20; ++i) {
        line += " \"" + longName + "\"";
    }
    EXPECT_GT(line.size(), 4000u);
    EXPECT_EQ(RunToolCommand(line), 0);
    EXPECT_TRUE(platform::PathExists(marker));
    EXPECT_TRUE(platform::PathExists(longName));
}

TEST(ToolkitTest, ToolkitSitsBesideTheProgram) {
    EXPECT_EQ(DefaultToolkit().path, platform::RunningProgramDirectory() + "tools.cfg");
}

}  // namespace
}  // namespace scrivola
