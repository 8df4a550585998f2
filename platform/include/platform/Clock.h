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
    std::uint64_t TickMs() override { return m_now; }
    void SleepMs(std::uint32_t milliseconds) override {
        m_now += milliseconds;
        m_slept += milliseconds;
    }
    void Advance(std::uint64_t milliseconds) { m_now += milliseconds; }
    std::uint64_t TotalSleptMs() const { return m_slept; }

  private:
    std::uint64_t m_now = 1000;
    std::uint64_t m_slept = 0;
};

}  // namespace platform
