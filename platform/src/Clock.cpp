#include "platform/Clock.h"

#include <chrono>
#include <thread>

namespace platform {

namespace {
class SteadyClock : public Clock {
  public:
    std::uint64_t TickMs() override {
        const auto since = std::chrono::steady_clock::now().time_since_epoch();
        return static_cast<std::uint64_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
    }
    void SleepMs(std::uint32_t milliseconds) override {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
    }
};
}  // namespace

Clock& SystemClock() {
    static SteadyClock clock;
    return clock;
}

}  // namespace platform
