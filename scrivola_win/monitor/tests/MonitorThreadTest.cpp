// The monitor thread: its passes, its stop, and a thread that is still
// converting when it is asked to stop.
#include <gtest/gtest.h>

#include <condition_variable>
#include <thread>

#include "MonitorTestSupport.h"
#include "monitor/MonitorThread.h"

using monitor::MonitorPair;
using monitor::MonitorThread;

namespace {

using namespace std::chrono_literals;

// Waits (briefly polling) until the condition holds or the time is up.
template <class Condition>
bool WaitUntil(Condition condition, std::chrono::milliseconds limit = 10s) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        std::this_thread::sleep_for(10ms);
    }
    return true;
}

class MonitorThreadTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(in);
        fs::create_directories(out);
    }
    testsupport::PrivateHome home;
    fs::path in = home.Files() / "in";
    fs::path out = home.Files() / "out";
    std::shared_ptr<FakeConverter> converter = std::make_shared<FakeConverter>();
};

TEST_F(MonitorThreadTest, NoPairsStartNoThread) {
    MonitorThread thread;
    EXPECT_FALSE(thread.Start({}, converter));
    EXPECT_FALSE(thread.IsRunning());
}

TEST_F(MonitorThreadTest, PassesRepeatUntilStopped) {
    MonitorThread thread;
    ASSERT_TRUE(thread.Start({{in.string(), out.string()}}, converter));
    EXPECT_TRUE(thread.IsRunning());

    WriteText(in / "a.doc", "a");
    ASSERT_TRUE(WaitUntil([&] { return fs::exists(in / "a.doc.bak"); }));
    WriteText(in / "b.doc", "b");
    ASSERT_TRUE(WaitUntil([&] { return fs::exists(in / "b.doc.bak"); }));
    EXPECT_EQ(Names(out), (std::set<std::string>{"a.pdf", "b.pdf"}));

    // A stop wakes the pause between passes.
    const auto before = std::chrono::steady_clock::now();
    thread.Stop();
    EXPECT_LT(std::chrono::steady_clock::now() - before, 900ms);
    EXPECT_FALSE(thread.IsRunning());
    EXPECT_EQ(monitor::LiveMonitorThreads(), 0);

    WriteText(in / "c.doc", "c");
    std::this_thread::sleep_for(2500ms);
    EXPECT_TRUE(fs::exists(in / "c.doc"));
}

TEST_F(MonitorThreadTest, BusyThreadIsLeftToFinishAndEndsByItself) {
    std::mutex mutex;
    std::condition_variable changed;
    bool converting = false;
    bool release = false;
    converter->beforeConverting = [&](const std::string&) {
        std::unique_lock lock(mutex);
        converting = true;
        changed.notify_all();
        changed.wait(lock, [&] { return release; });
    };
    std::weak_ptr<FakeConverter> watched = converter;
    WriteText(in / "slow.doc", "slow");

    MonitorThread thread;
    ASSERT_TRUE(thread.Start({{in.string(), out.string()}}, std::move(converter)));
    {
        std::unique_lock lock(mutex);
        ASSERT_TRUE(changed.wait_for(lock, 10s, [&] { return converting; }));
    }

    thread.Stop(100ms);
    EXPECT_FALSE(thread.IsRunning());
    // The thread still holds what it uses.
    EXPECT_EQ(monitor::LiveMonitorThreads(), 1);
    EXPECT_FALSE(watched.expired());

    {
        const std::lock_guard lock(mutex);
        release = true;
    }
    changed.notify_all();
    ASSERT_TRUE(WaitUntil([] { return monitor::LiveMonitorThreads() == 0; }));
    ASSERT_TRUE(WaitUntil([&] { return watched.expired(); }));
    // Its conversion ran to the end and the original was not left half done.
    EXPECT_TRUE(fs::exists(out / "slow.pdf"));
    EXPECT_TRUE(fs::exists(in / "slow.doc.bak"));
}

TEST_F(MonitorThreadTest, RestartUsesTheNewList) {
    const fs::path second = home.Files() / "second";
    fs::create_directories(second);
    MonitorThread thread;
    ASSERT_TRUE(thread.Start({{in.string(), out.string()}}, converter));
    ASSERT_TRUE(thread.Start({{second.string(), out.string()}}, converter));

    WriteText(in / "old.doc", "old");
    WriteText(second / "new.doc", "new");
    ASSERT_TRUE(WaitUntil([&] { return fs::exists(second / "new.doc.bak"); }));
    thread.Stop();
    EXPECT_TRUE(fs::exists(in / "old.doc"));
}

}  // namespace
