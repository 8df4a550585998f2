// The wait for the printed file on a clock that only moves when the wait
// sleeps; the "printer" acts from inside those sleeps.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

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

constexpr std::uint64_t kFinalPause = 5000;

class WaitForOutputTest : public ::testing::Test {
  protected:
    testsupport::PrivateHome folder;
    const std::string output = folder.Path("out.pdf");
    ScriptedClock clock;
};

TEST_F(WaitForOutputTest, FileAppearingLaterIsAwaitedThenSettledThenPaused) {
    clock.onSleep = [this](std::uint64_t slept) {
        if (slept == 2000) {
            WriteBytes(output, 100);
        }
    };
    EXPECT_EQ(WaitForOutput(output, clock), 1);
    // Four polls of 500 ms, one second to see the size twice, the pause.
    EXPECT_EQ(clock.TotalSleptMs(), 2000 + 1000 + kFinalPause);
}

TEST_F(WaitForOutputTest, GrowingFileIsPolledUntilItsSizeRepeats) {
    WriteBytes(output, 10);
    clock.onSleep = [this](std::uint64_t slept) {
        if (slept <= 3000) {
            WriteBytes(output, 10, true);
        }
    };
    EXPECT_EQ(WaitForOutput(output, clock), 1);
    // Sizes 10, 20, 30, 40, 40: four seconds of settling.
    EXPECT_EQ(clock.TotalSleptMs(), 4000 + kFinalPause);
}

TEST_F(WaitForOutputTest, EmptyFileEndsSettlingAtOnce) {
    WriteBytes(output, 0);
    EXPECT_EQ(WaitForOutput(output, clock), 1);
    EXPECT_EQ(clock.TotalSleptMs(), kFinalPause);
}

TEST_F(WaitForOutputTest, FileLockedByThePrinterIsRetriedEverySecondUntilReleased) {
    WriteBytes(output, 50);
    const int printerFd = ::open(output.c_str(), O_RDWR);
    ASSERT_GE(printerFd, 0);
    ASSERT_EQ(::flock(printerFd, LOCK_EX), 0);
    int heldFd = printerFd;
    clock.onSleep = [&heldFd](std::uint64_t slept) {
        if (slept == 4000 && heldFd >= 0) {
            ::close(heldFd);
            heldFd = -1;
        }
    };
    EXPECT_EQ(WaitForOutput(output, clock), 1);
    // One second of settling, three retries while locked, the pause.
    EXPECT_EQ(clock.TotalSleptMs(), 1000 + 3000 + kFinalPause);
    if (heldFd >= 0) {
        ::close(heldFd);
    }
}

TEST_F(WaitForOutputTest, LockThatIsNeverReleasedEndsAfterTheTimeOut) {
    WriteBytes(output, 50);
    const int printerFd = ::open(output.c_str(), O_RDWR);
    ASSERT_EQ(::flock(printerFd, LOCK_EX), 0);
    WaitForOutput(output, clock);
    ::close(printerFd);
    EXPECT_LE(clock.TotalSleptMs(), 1000 + kOutputTimeoutMs + 1000 + kFinalPause);
    EXPECT_GE(clock.TotalSleptMs(), kOutputTimeoutMs);
}

TEST_F(WaitForOutputTest, FileThatNeverAppearsTimesOutAfterTwoMinutes) {
    EXPECT_EQ(WaitForOutput(output, clock), 0);
    // Polls every 500 ms until more than 120 whole seconds have passed.
    EXPECT_EQ(clock.TotalSleptMs(), 121000 + kFinalPause);
}

TEST_F(WaitForOutputTest, FolderAtTheOutputPathIsNoResult) {
    ASSERT_TRUE(platform::CreateDirectories(output));
    EXPECT_EQ(WaitForOutput(output, clock), 0);
}

}  // namespace
}  // namespace scrivola
