#pragma once
// Millisecond tick count and sleeping. Waits take a Clock so tests can run
// them on a FakeClock without real sleeps.
#include <cstdint>

namespace platform {

class Clock {
public:
    virtual ~Clock() = default;
    virtual std::uint64_t TickMs() = 0;
    virtual void SleepMs(std::uint32_t milliseconds) = 0;
};

// The steady clock and real sleeps.
Clock& SystemClock();

// Time moves only when somebody sleeps (or the test advances it).
class FakeClock : public Clock {
public:
    std::uint64_t TickMs() override { return now_; }
    void SleepMs(std::uint32_t milliseconds) override {
        now_ += milliseconds;
        slept_ += milliseconds;
    }
    void Advance(std::uint64_t milliseconds) { now_ += milliseconds; }
    std::uint64_t TotalSleptMs() const { return slept_; }

private:
    std::uint64_t now_ = 1000;
    std::uint64_t slept_ = 0;
};

}  // namespace platform
