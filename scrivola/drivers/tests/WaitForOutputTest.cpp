// The wait for the printed file on a clock that only moves when the wait
// sleeps; the "printer" acts from inside those sleeps.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <optional>

#include "drivers/WaitForOutput.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "testing/PrivateHome.h"

namespace scrivola {
namespace {

class ScriptedClock : public platform::FakeClock {
  public:
    std::function<void(std::uint64_t sleptMs)> onSleep;
    void SleepMs(std::uint32_t milliseconds) override {
        FakeClock::SleepMs(milliseconds);
        if (onSleep) {
            onSleep(TotalSleptMs());
        }
    }
};

void WriteBytes(const std::string& path, std::size_t count, bool append = false) {
    std::ofstream(path, append ? std::ios::app : std::ios::trunc) << std::string(count, 'x');
}

// The file as the printer leaves it: written beside the target, then
// renamed into place.
void PrintByRename(const std::string& path, std::size_t count) {
    const std::string temporary = path + ".part";
    WriteBytes(temporary, count);
    ASSERT_EQ(std::rename(temporary.c_str(), path.c_str()), 0);
}

class WaitForOutputTest : public ::testing::Test {
  protected:
    testsupport::PrivateHome folder;
    const std::string output = folder.Path("out.pdf");
    ScriptedClock clock;
};

TEST_F(WaitForOutputTest, AFileRenamedIntoPlaceEndsTheWaitAtTheNextLook) {
    clock.onSleep = [this](std::uint64_t slept) {
        if (slept == 1000) {
            PrintByRename(output, 100);
        }
    };
    EXPECT_EQ(WaitForOutput(output, std::nullopt, clock), 1);
    // Polls of 50 ms until the file is there, one more to see its size again.
    EXPECT_EQ(clock.TotalSleptMs(), 1000 + kOutputPollMs);
}

TEST_F(WaitForOutputTest, GrowingFileIsPolledUntilItsSizeRepeats) {
    WriteBytes(output, 10);
    clock.onSleep = [this](std::uint64_t slept) {
        if (slept <= 3 * kOutputPollMs) {
            WriteBytes(output, 10, true);
        }
    };
    EXPECT_EQ(WaitForOutput(output, std::nullopt, clock), 1);
    // Sizes 10, 20, 30, 40, 40.
    EXPECT_EQ(clock.TotalSleptMs(), 4 * kOutputPollMs);
}

TEST_F(WaitForOutputTest, EmptyFileEndsSettlingAtOnce) {
    WriteBytes(output, 0);
    EXPECT_EQ(WaitForOutput(output, std::nullopt, clock), 1);
    EXPECT_EQ(clock.TotalSleptMs(), 0u);
}

TEST_F(WaitForOutputTest, FileLockedByThePrinterIsAwaitedUntilReleased) {
    WriteBytes(output, 50);
    const int printerFd = ::open(output.c_str(), O_RDWR);
    ASSERT_GE(printerFd, 0);
    ASSERT_EQ(::flock(printerFd, LOCK_EX), 0);
    int heldFd = printerFd;
    clock.onSleep = [&heldFd](std::uint64_t slept) {
        if (slept == 2000 && heldFd >= 0) {
            ::close(heldFd);
            heldFd = -1;
        }
    };
    EXPECT_EQ(WaitForOutput(output, std::nullopt, clock), 1);
    EXPECT_EQ(clock.TotalSleptMs(), 2000u);
    if (heldFd >= 0) {
        ::close(heldFd);
    }
}

TEST_F(WaitForOutputTest, LockThatIsNeverReleasedEndsAfterTheTimeOut) {
    WriteBytes(output, 50);
    const int printerFd = ::open(output.c_str(), O_RDWR);
    ASSERT_EQ(::flock(printerFd, LOCK_EX), 0);
    WaitForOutput(output, std::nullopt, clock);
    ::close(printerFd);
    EXPECT_GE(clock.TotalSleptMs(), kOutputTimeoutMs);
    EXPECT_LE(clock.TotalSleptMs(), kOutputTimeoutMs + 1000 + kOutputPollMs);
}

TEST_F(WaitForOutputTest, FileThatNeverAppearsTimesOutAfterTwoMinutes) {
    EXPECT_EQ(WaitForOutput(output, std::nullopt, clock), 0);
    // Polls until more than 120 whole seconds have passed.
    EXPECT_EQ(clock.TotalSleptMs(), 121000u);
}

TEST_F(WaitForOutputTest, FolderAtTheOutputPathIsNoResult) {
    ASSERT_TRUE(platform::CreateDirectories(output));
    EXPECT_EQ(WaitForOutput(output, std::nullopt, clock), 0);
}

// An output of the same name from before the job must not pass for the
// job's result, whether the printer replaces it late or never.
TEST_F(WaitForOutputTest, TheFileFromBeforeTheJobIsNeverTheResult) {
    WriteBytes(output, 70);
    const std::optional<platform::FileStamp> before = platform::StampOf(output);
    ASSERT_TRUE(before);
    clock.onSleep = [this](std::uint64_t slept) {
        if (slept == 3000) {
            PrintByRename(output, 70);  // same size: only the identity tells
        }
    };
    EXPECT_EQ(WaitForOutput(output, before, clock), 1);
    EXPECT_GE(clock.TotalSleptMs(), 3000u);

    ScriptedClock idle;
    const std::optional<platform::FileStamp> printed = platform::StampOf(output);
    EXPECT_EQ(WaitForOutput(output, printed, idle), 0);
    EXPECT_EQ(idle.TotalSleptMs(), 121000u);
}

}  // namespace
}  // namespace scrivola
