#include <gtest/gtest.h>
#include <unistd.h>

#include "ScratchFolder.h"
#include "platform/DebugLog.h"
#include "platform/Paths.h"
#include "platform/ProgramPath.h"

namespace platform {
namespace {

class DebugLogTest : public testing::ScratchFolderTest {};

TEST_F(DebugLogTest, AppendsToTheNamedFileOnlyWhenSet) {
    OutputDebugText("dropped\n");
    const std::string log = WriteFile("debug.log", "earlier\n");
    setenv("SCRIVOLA_DEBUG_LOG", log.c_str(), 1);
    OutputDebugText(std::string(45, '>') + "\n");
    OutputDebugText(std::string("chunk\0with nul\n", 15));
    EXPECT_EQ(ReadWholeFile(log),
              "earlier\n" + std::string(45, '>') + "\n" + std::string("chunk\0with nul\n", 15));
    setenv("SCRIVOLA_DEBUG_LOG", Path("missing/dir/log").c_str(), 1);
    OutputDebugText("nowhere to go\n");  // must not fail loudly
}

// A log name in a shared folder may be a link somebody else planted.
TEST_F(DebugLogTest, NeverWritesThroughALink) {
    const std::string victim = WriteFile("victim", "untouched\n");
    const std::string link = Path("debug.log");
    ASSERT_EQ(symlink(victim.c_str(), link.c_str()), 0);
    setenv("SCRIVOLA_DEBUG_LOG", link.c_str(), 1);
    OutputDebugText("secret\n");
    EXPECT_EQ(ReadWholeFile(victim), "untouched\n");
}

TEST(ProgramPath, NamesThisTestProgram) {
    const std::string path = RunningProgramPath();
    EXPECT_EQ(SplitPath(path).name, "platform_tests");
    EXPECT_EQ(RunningProgramDirectory(), SplitPath(path).directory);
    EXPECT_EQ(RunningProgramDirectory().back(), '/');
}

}  // namespace
}  // namespace platform
