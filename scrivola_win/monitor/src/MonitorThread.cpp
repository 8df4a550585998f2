#include "monitor/MonitorThread.h"

#include <system_error>
#include <thread>

#include "MonitorSweep.h"
#include "platform/DebugLog.h"

namespace monitor {

namespace {

std::atomic<int> g_liveThreads{0};

}  // namespace

bool MonitorThreadState::PauseUnlessStopped(std::chrono::milliseconds pause) {
    std::unique_lock lock(m_mutex);
    return !m_changed.wait_for(lock, pause, [this] { return stop.load(); });
}

void MonitorThreadState::RequestStop() {
    {
        const std::lock_guard lock(m_mutex);
        stop.store(true);
    }
    m_changed.notify_all();
}

bool MonitorThreadState::WaitForEnd(std::chrono::milliseconds wait) {
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, wait, [this] { return m_ended; });
}

void MonitorThreadState::MarkEnded() {
    {
        const std::lock_guard lock(m_mutex);
        m_ended = true;
    }
    m_changed.notify_all();
}

int MonitorThreadProc(const std::shared_ptr<MonitorThreadState>& state) {
    std::vector<PairMemory> memories(state->pairs.size());
    while (!state->stop.load() && !state->pairs.empty()) {
        for (std::size_t index = 0; index < state->pairs.size(); ++index) {
            if (state->stop.load()) {
                break;
            }
            SweepMonitorPair(state->pairs[index], *state->converter, state->stop, memories[index]);
        }
        if (!state->PauseUnlessStopped(kPassInterval)) {
            break;
        }
    }
    return 0;
}

int LiveMonitorThreads() {
    return g_liveThreads.load();
}

MonitorThread::~MonitorThread() {
    Stop();
}

bool MonitorThread::Start(std::vector<MonitorPair> pairs,
                          std::shared_ptr<MonitorConverter> converter) {
    Stop();
    if (pairs.empty() || !converter) {
        return false;
    }
    auto state = std::make_shared<MonitorThreadState>(std::move(pairs), std::move(converter));
    ++g_liveThreads;
    try {
        // The thread holds the state until its very end.
        m_thread = std::thread([state] {
            try {
                MonitorThreadProc(state);
            } catch (const std::exception& error) {
                platform::OutputDebugText(std::string("Directory monitor: thread ended: ") +
                                          error.what() + "\n");
            }
            state->MarkEnded();
            --g_liveThreads;
        });
    } catch (const std::system_error& error) {
        --g_liveThreads;
        platform::OutputDebugText(std::string("Directory monitor: no thread: ") + error.what() +
                                  "\n");
        return false;
    }
    m_state = std::move(state);
    return true;
}

void MonitorThread::Stop(std::chrono::milliseconds wait) {
    if (!m_state) {
        return;
    }
    m_state->RequestStop();
    if (m_state->WaitForEnd(wait)) {
        m_thread.join();
    } else {
        platform::OutputDebugText(
            "Directory monitor: the thread is still converting; it ends by itself\n");
        m_thread.detach();
    }
    m_state.reset();
}

}  // namespace monitor
