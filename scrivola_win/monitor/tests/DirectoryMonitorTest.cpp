// The monitor as the main window uses it: start and stop with the menu
// text, the monitor command, and conversions through the runner with their
// progress arriving on the UI thread.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <thread>

#include "MonitorGuiSupport.h"
#include "MonitorPairStore.h"
#include "monitor/DirectoryMonitor.h"
#include "pages/CPropertySheetWithLogoDlg.h"
#include "settings/SettingsKeys.h"

using monitor::DirectoryMonitor;
using monitor::MonitorPair;

namespace {

const QString kStopped = "&Monitor A Special Directory (Stoped) ...";
const QString kRunning = "&Monitor A Special Directory (Running) ...";

// A menu bar laid out as the main window's: the monitor command in the
// first menu, another item with the same id in a later one.
struct MenuBarLikeTheWindows {
    MenuBarLikeTheWindows() {
        QMenu* file = bar.addMenu("File(&F)");
        file->addAction("&Add Files...")->setObjectName("32785");
        monitorItem = file->addAction("&Monitor A Special Directory...");
        monitorItem->setObjectName("32788");
        otherItem = bar.addMenu("Edit(&E)")->addAction("elsewhere");
        otherItem->setObjectName("32788");
    }
    QMenuBar bar;
    QAction* monitorItem = nullptr;
    QAction* otherItem = nullptr;
};

class DirectoryMonitorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(in);
        fs::create_directories(out);
        TurnViewingOff();
    }
    QApplication& application = GuiApplication();  // before any widget
    testsupport::PrivateHome home;
    fs::path in = home.Files() / "in";
    fs::path out = home.Files() / "out";
    std::shared_ptr<FakeConverter> converter = std::make_shared<FakeConverter>();
    MenuBarLikeTheWindows menus;
};

TEST_F(DirectoryMonitorTest, MenuTextFollowsStartAndStop) {
    DirectoryMonitor monitor(converter);
    EXPECT_FALSE(monitor.StartDirectoryMonitor(nullptr));
    monitor.UpdateMonitorMenuText(&menus.bar);
    EXPECT_EQ(menus.monitorItem->text(), kStopped);

    monitor::StoreMonitorPairs({{in.string(), out.string()}});
    EXPECT_TRUE(monitor.StartDirectoryMonitor(nullptr));
    monitor.UpdateMonitorMenuText(&menus.bar);
    EXPECT_EQ(menus.monitorItem->text(), kRunning);
    EXPECT_EQ(menus.otherItem->text(), "elsewhere");

    monitor.StopDirectoryMonitor();
    monitor.UpdateMonitorMenuText(&menus.bar);
    EXPECT_EQ(menus.monitorItem->text(), kStopped);

    // No menu bar, or one without menus: nothing to do.
    monitor.UpdateMonitorMenuText(nullptr);
    QMenuBar empty;
    monitor.UpdateMonitorMenuText(&empty);
}

TEST_F(DirectoryMonitorTest, SheetOkRestartsFromTheStoredList) {
    monitor::StoreMonitorPairs({{in.string(), out.string()}});
    DirectoryMonitor monitor(converter);
    ASSERT_FALSE(monitor.IsRunning());

    WhenModalOpens<CPropertySheetWithLogoDlg>(
        [](CPropertySheetWithLogoDlg* sheet) { sheet->accept(); });
    monitor.MonitorCommand(nullptr, &menus.bar);
    EXPECT_TRUE(monitor.IsRunning());
    EXPECT_EQ(menus.monitorItem->text(), kRunning);

    WriteText(in / "a.doc", "a");
    EXPECT_TRUE(PumpUntil([&] { return fs::exists(out / "a.pdf"); }));
}

TEST_F(DirectoryMonitorTest, SheetCancelLeavesTheMonitorAsItWas) {
    monitor::StoreMonitorPairs({{in.string(), out.string()}});
    DirectoryMonitor monitor(converter);
    menus.monitorItem->setText("stale");

    WhenModalOpens<CPropertySheetWithLogoDlg>(
        [](CPropertySheetWithLogoDlg* sheet) { sheet->reject(); });
    monitor.MonitorCommand(nullptr, &menus.bar);
    EXPECT_FALSE(monitor.IsRunning());
    EXPECT_EQ(menus.monitorItem->text(), kStopped);
}

TEST_F(DirectoryMonitorTest, SheetOkWithAnEmptyListStopsTheMonitor) {
    monitor::StoreMonitorPairs({{in.string(), out.string()}});
    DirectoryMonitor monitor(converter);
    ASSERT_TRUE(monitor.StartDirectoryMonitor(nullptr));
    monitor::StoreMonitorPairs({});

    WhenModalOpens<CPropertySheetWithLogoDlg>(
        [](CPropertySheetWithLogoDlg* sheet) { sheet->accept(); });
    monitor.MonitorCommand(nullptr, &menus.bar);
    EXPECT_FALSE(monitor.IsRunning());
    EXPECT_EQ(menus.monitorItem->text(), kStopped);
}

class RunnerMonitorConverterTest : public DirectoryMonitorTest {};

TEST_F(RunnerMonitorConverterTest, ProgressFromTheMonitorThreadArrivesOnTheUiThread) {
    home.Set("FAKE_SCRIVOLA_PROGRESS", "42");
    QObject window;
    std::vector<std::pair<int, std::thread::id>> progress;
    auto converter = monitor::RunnerMonitorConverter::Create(
        FakeConverterPath(), &window,
        [&](int percent) { progress.emplace_back(percent, std::this_thread::get_id()); });
    WriteText(in / "a.doc", "a");

    std::string written;
    std::thread monitorThread([&] {
        written = converter->RunConversion((in / "a.doc").string(), (out / "a.pdf").string());
    });
    monitorThread.join();
    EXPECT_EQ(written, (out / "a.pdf").string());
    EXPECT_TRUE(fs::exists(out / "a.pdf"));
    EXPECT_TRUE(progress.empty());  // queued, not yet handled

    ASSERT_TRUE(PumpUntil([&] { return !progress.empty(); }));
    EXPECT_EQ(progress[0].first, 42);
    EXPECT_EQ(progress[0].second, std::this_thread::get_id());
}

TEST_F(RunnerMonitorConverterTest, ProgressForAWindowThatIsGoneIsDropped) {
    home.Set("FAKE_SCRIVOLA_PROGRESS", "42");
    auto window = std::make_unique<QObject>();
    int calls = 0;
    auto converter = monitor::RunnerMonitorConverter::Create(FakeConverterPath(), window.get(),
                                                             [&](int) { ++calls; });
    WriteText(in / "a.doc", "a");
    std::thread([&] {
        converter->RunConversion((in / "a.doc").string(), (out / "a.pdf").string());
    }).join();
    window.reset();
    QApplication::processEvents();
    EXPECT_EQ(calls, 0);
}

TEST_F(RunnerMonitorConverterTest, FreeNameModeReportsTheNameItWrote) {
    scrivola_win::WriteSetting(scrivola_win::settings::kDestinationMode, 3);
    WriteText(out / "a.pdf", "old");
    WriteText(in / "a.doc", "a");
    auto converter =
        monitor::RunnerMonitorConverter::Create(FakeConverterPath(), nullptr, [](int) {});
    const std::string written =
        converter->RunConversion((in / "a.doc").string(), (out / "a.pdf").string());
    EXPECT_EQ(written, (out / "a000.pdf").string());
    EXPECT_TRUE(fs::exists(out / "a000.pdf"));
    EXPECT_EQ(ReadText(out / "a.pdf"), "old");
}

}  // namespace
