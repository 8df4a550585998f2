#include "drivers/WaitForOutput.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

namespace scrivola {

namespace {

bool TimedOut(platform::Clock& clock, std::uint64_t start) {
    // Whole seconds, as the tick count is read.
    return (clock.TickMs() - start) / 1000 > kOutputTimeoutMs / 1000;
}

// The job's file: present, and not the file that was there before the job.
std::optional<platform::FileStamp> NewFile(const std::string& path,
                                           const std::optional<platform::FileStamp>& before) {
    std::optional<platform::FileStamp> now = platform::StampOf(path);
    if (now && before && *now == *before) {
        return std::nullopt;
    }
    return now;
}

// False when no new file appeared in time.
bool WaitUntilPresent(const std::string& path, const std::optional<platform::FileStamp>& before,
                      platform::Clock& clock) {
    const std::uint64_t start = clock.TickMs();
    while (!NewFile(path, before)) {
        clock.SleepMs(kOutputPollMs);
        if (TimedOut(clock, start)) {
            return NewFile(path, before).has_value();
        }
    }
    return true;
}

// Ends after two equal positive sizes in a row, or at once when the file is
// empty or missing. A file the printer renamed into place passes at the
// second look.
void WaitUntilSizeSettles(const std::string& path, platform::Clock& clock) {
    std::optional<std::int64_t> previousSize;
    for (;;) {
        const std::optional<platform::FileStamp> file = platform::StampOf(path);
        if (!file || file->size == 0 || file->size == previousSize) {
            return;
        }
        previousSize = file->size;
        clock.SleepMs(kOutputPollMs);
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
        clock.SleepMs(kOutputPollMs);
    }
}

}  // namespace

int WaitForOutput(const std::string& path, const std::optional<platform::FileStamp>& before,
                  platform::Clock& clock) {
    if (!WaitUntilPresent(path, before, clock)) {
        return 0;
    }
    WaitUntilSizeSettles(path, clock);
    WaitUntilUnlocked(path, clock);
    // A folder at the output path is no printed file, and neither is the
    // file that was there before the job.
    const std::optional<platform::FileStamp> file = NewFile(path, before);
    return file && !file->isDirectory ? 1 : 0;
}

int WaitForOutput(const std::string& path, const std::optional<platform::FileStamp>& before) {
    return WaitForOutput(path, before, platform::SystemClock());
}

}  // namespace scrivola
