#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>

#include <chrono>
#include <thread>

#include "ScratchFolder.h"
#include "platform/Process.h"

namespace platform {
namespace {

class ProcessTest : public testing::ScratchFolderTest {
  protected:
    // Polls (a generous bound, not a timing check) until the process is gone.
    static bool Vanishes(pid_t pid) {
        for (int i = 0; i < 500; ++i) {
            // A zombie that our init has not reaped yet counts as gone.
            const auto stat = ReadWholeFile("/proc/" + std::to_string(pid) + "/stat");
            if (kill(pid, 0) != 0 || !stat || stat->find(") Z ") != std::string::npos) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }
};

TEST_F(ProcessTest, ReportsExitCodesAndSignals) {
    EXPECT_EQ(RunAndWait("sh -c \"exit 7\""), 7);
    EXPECT_EQ(RunAndWait("true"), 0);
    EXPECT_EQ(RunAndWait("sh -c \"kill -TERM $$\""), 128 + SIGTERM);
}

TEST_F(ProcessTest, ProgramThatCannotStartGivesNothing) {
    EXPECT_FALSE(Process::Start("scrivola-no-such-program --flag"));
    EXPECT_FALSE(Process::Start(Path("missing/program")));
    EXPECT_FALSE(Process::Start(""));
    EXPECT_FALSE(Process::Start("   "));
    EXPECT_FALSE(Process::StartArguments({}));
    const std::string notExecutable = WriteFile("plain.txt", "text");
    EXPECT_FALSE(Process::Start(notExecutable));
    EXPECT_EQ(RunAndWait("scrivola-no-such-program"), -1);
}

TEST_F(ProcessTest, CapturesOutputAndErrorOnOnePipe) {
    ProcessOptions options;
    options.captureOutput = true;
    auto process = Process::Start(R"(sh -c "echo out; echo err >&2; printf 'last'")", options);
    ASSERT_TRUE(process);
    EXPECT_EQ(process->ReadAll(), "out\nerr\nlast");
    EXPECT_EQ(process->Wait(), 0);
}

TEST_F(ProcessTest, PeekAndReadWithoutBlocking) {
    const std::string gate = Path("gate");
    ProcessOptions options;
    options.captureOutput = true;
    // Writes, then waits until the test lets it go on.
    auto process = Process::StartArguments(
        {"sh", "-c", "printf 'Folivosoft Inc: 50'; while [ ! -e \"$1\" ]; do sleep 0.01; done",
         "sh", gate},
        options);
    ASSERT_TRUE(process);
    std::size_t available = 0;
    for (int i = 0; i < 500 && available < 18; ++i) {
        available = process->PeekAvailable();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(available, 18u);
    EXPECT_FALSE(process->TryWait());
    EXPECT_EQ(process->ReadAvailable(), "Folivosoft Inc: 50");
    EXPECT_EQ(process->PeekAvailable(), 0u);
    EXPECT_EQ(process->ReadAvailable(), "");
    EXPECT_FALSE(process->WaitFor(20));

    WriteFile("gate", "");
    EXPECT_EQ(process->WaitFor(10000), 0);
    EXPECT_EQ(process->TryWait(), 0);
    EXPECT_EQ(process->ReadAll(), "");
}

TEST_F(ProcessTest, KillEndsTheWholeProcessGroup) {
    const std::string pidFile = Path("grandchild.pid");
    auto process = Process::StartArguments(
        {"sh", "-c", "sleep 300 & echo $! > \"$1.part\"; mv \"$1.part\" \"$1\"; wait", "sh",
         pidFile});
    ASSERT_TRUE(process);
    std::optional<std::string> text;
    for (int i = 0; i < 500 && !text; ++i) {
        text = ReadWholeFile(pidFile);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_TRUE(text);
    const pid_t grandchild = std::stoi(*text);
    EXPECT_EQ(getpgid(grandchild), process->Id()) << "the child leads its own group";

    process->Kill();
    EXPECT_EQ(process->TryWait(), 128 + SIGKILL);
    EXPECT_TRUE(Vanishes(grandchild));
}

TEST_F(ProcessTest, WorkingDirectoryAndEnvironment) {
    ASSERT_TRUE(CreateDirectories(Path("work")));
    ProcessOptions options;
    options.captureOutput = true;
    options.workingDirectory = Path("work");
    options.environment = {"SCRIVOLA_TEST_VALUE=a b", "HOME=/elsewhere"};
    auto process = Process::Start(
        R"(sh -c "pwd; echo \"$SCRIVOLA_TEST_VALUE\"; echo $HOME; echo $TMPDIR")", options);
    ASSERT_TRUE(process);
    EXPECT_EQ(process->ReadAll(), Path("work") + "\na b\n/elsewhere\n" + Path("tmp") + "\n");
    EXPECT_EQ(process->Wait(), 0);

    options.workingDirectory = Path("missing");
    EXPECT_FALSE(Process::Start("true", options));
}

TEST_F(ProcessTest, DiscardedOutputIsDropped) {
    ProcessOptions options;
    options.discardOutput = true;
    auto process = Process::Start("sh -c \"echo noise; echo noise >&2\"", options);
    ASSERT_TRUE(process);
    EXPECT_EQ(process->ReadAll(), "");
    EXPECT_EQ(process->Wait(), 0);
}

TEST_F(ProcessTest, ChildHoldsThePipeOnlyAsOutputAndError) {
    // Any other copy of the write end in a child would keep the reader from
    // ever seeing the end of the data.
    ProcessOptions options;
    options.captureOutput = true;
    auto process = Process::Start(R"(sh -c "ls -l /proc/$$/fd")", options);
    ASSERT_TRUE(process);
    const std::string listing = process->ReadAll();
    ASSERT_EQ(process->Wait(), 0);
    const std::size_t marker = listing.find(" 1 -> pipe:[");
    ASSERT_NE(marker, std::string::npos) << listing;
    const std::string pipe = listing.substr(marker + 6, listing.find(']', marker) - marker - 5);
    std::size_t copies = 0;
    for (std::size_t at = listing.find(pipe); at != std::string::npos;
         at = listing.find(pipe, at + 1)) {
        ++copies;
    }
    EXPECT_EQ(copies, 2u) << listing;
}

TEST_F(ProcessTest, RunAndWaitDrainsCapturedOutput) {
    ProcessOptions options;
    options.captureOutput = true;
    // More than a pipe holds: would block forever if nobody read it.
    EXPECT_EQ(RunAndWait("sh -c \"head -c 300000 /dev/zero\"", options), 0);
}

TEST_F(ProcessTest, MovedProcessKeepsTheChild) {
    auto started = Process::Start("sh -c \"exit 3\"");
    ASSERT_TRUE(started);
    Process moved = std::move(*started);
    EXPECT_EQ(moved.Wait(), 3);
    EXPECT_EQ(moved.Wait(), 3);
}

}  // namespace
}  // namespace platform
