#include "drivers/WaitForOutput.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <optional>

#include "platform/FileSystem.h"

namespace scrivola {

namespace {

constexpr std::uint32_t kAppearancePollMs = 500;
constexpr std::uint32_t kSettlingPollMs = 1000;
constexpr std::uint32_t kLockedRetryMs = 1000;
constexpr std::uint32_t kFinalPauseMs = 5000;

bool TimedOut(platform::Clock& clock, std::uint64_t start) {
    // Whole seconds, as the tick count is read.
    return (clock.TickMs() - start) / 1000 > kOutputTimeoutMs / 1000;
}

void WaitUntilPresent(const std::string& path, platform::Clock& clock) {
    const std::uint64_t start = clock.TickMs();
    while (!platform::GetFileStatus(path)) {
        clock.SleepMs(kAppearancePollMs);
        if (TimedOut(clock, start)) {
            return;
        }
    }
}

// Ends after two equal positive sizes in a row, or at once when the file is
// empty or missing.
void WaitUntilSizeSettles(const std::string& path, platform::Clock& clock) {
    std::optional<std::uint64_t> previousSize;
    for (;;) {
        const std::optional<platform::FileStatus> status = platform::GetFileStatus(path);
        if (!status || status->size == 0 || status->size == previousSize) {
            return;
        }
        previousSize = status->size;
        clock.SleepMs(kSettlingPollMs);
    }
}

enum class LockProbe { Free, Locked, Unopenable };

// The printer holds an exclusive advisory lock on the file while it writes.
LockProbe ProbePrinterLock(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return LockProbe::Unopenable;
    }
    LockProbe probe = LockProbe::Free;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        probe = errno == EWOULDBLOCK ? LockProbe::Locked : LockProbe::Unopenable;
    }
    ::close(fd);  // also drops our lock
    return probe;
}

void WaitUntilUnlocked(const std::string& path, platform::Clock& clock) {
    const std::uint64_t start = clock.TickMs();
    while (ProbePrinterLock(path) == LockProbe::Locked) {
        if (TimedOut(clock, start)) {
            return;
        }
        clock.SleepMs(kLockedRetryMs);
    }
}

}  // namespace

int WaitForOutput(const std::string& path, platform::Clock& clock) {
    WaitUntilPresent(path, clock);
    WaitUntilSizeSettles(path, clock);
    WaitUntilUnlocked(path, clock);
    clock.SleepMs(kFinalPauseMs);
    // A folder at the output path is no printed file.
    const std::optional<platform::FileStatus> status = platform::GetFileStatus(path);
    return status && !status->isDirectory ? 1 : 0;
}

int WaitForOutput(const std::string& path) {
    return WaitForOutput(path, platform::SystemClock());
}

}  // namespace scrivola
