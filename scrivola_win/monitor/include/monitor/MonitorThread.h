#pragma once
// The monitor thread: once a second it sweeps every pair. It owns a copy of
// the pairs and shares its stop flag and converter with its controller, so
// a thread left to finish a conversion never uses anything freed under it.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "monitor/MonitorConverter.h"
#include "monitor/MonitorPair.h"

namespace monitor {

// From the end of one pass to the start of the next.
inline constexpr std::chrono::milliseconds kPassInterval{1000};
// The longest the UI thread waits for a thread asked to stop.
inline constexpr std::chrono::milliseconds kStopWait{2000};

// Everything one monitor thread uses; kept alive by the thread itself.
struct MonitorThreadState {
    MonitorThreadState(std::vector<MonitorPair> monitorPairs,
                       std::shared_ptr<MonitorConverter> monitorConverter)
        : pairs(std::move(monitorPairs)), converter(std::move(monitorConverter)) {}

    const std::vector<MonitorPair> pairs;
    const std::shared_ptr<MonitorConverter> converter;
    std::atomic<bool> stop{false};

    // Wakes a pause early when the stop flag is set; false then.
    bool PauseUnlessStopped(std::chrono::milliseconds pause);
    void RequestStop();
    // Waits for the thread's end; true when it ended in time.
    bool WaitForEnd(std::chrono::milliseconds wait);
    void MarkEnded();

  private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_ended = false;
};

// The thread's loop: sweeps every pair, pauses, again, until stopped.
// Returns 0.
int MonitorThreadProc(const std::shared_ptr<MonitorThreadState>& state);

// Monitor threads that have not ended yet, also those left to finish.
int LiveMonitorThreads();

class MonitorThread {
  public:
    MonitorThread() = default;
    // Stops the thread as StopDirectoryMonitor does.
    ~MonitorThread();
    MonitorThread(const MonitorThread&) = delete;
    MonitorThread& operator=(const MonitorThread&) = delete;

    // Starts a thread over its own copy of the pairs. False when there are
    // no pairs or the thread cannot be created.
    bool Start(std::vector<MonitorPair> pairs, std::shared_ptr<MonitorConverter> converter);

    // Sets the stop flag and waits at most `wait` for the thread to end. A
    // thread still converting then finishes that conversion and ends by
    // itself; it is never killed.
    void Stop(std::chrono::milliseconds wait = kStopWait);

    bool IsRunning() const { return m_state != nullptr; }

  private:
    std::shared_ptr<MonitorThreadState> m_state;
    std::thread m_thread;
};

}  // namespace monitor
