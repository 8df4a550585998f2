// The whole monitor with one stored pair: the monitor thread, the runner
// and a converter program writing real PDF files.
#include <gtest/gtest.h>

#include "MonitorGuiSupport.h"
#include "MonitorPairStore.h"
#include "monitor/DirectoryMonitor.h"
#include "platform/Process.h"
#include "settings/SettingsRecords.h"

using monitor::DirectoryMonitor;

namespace {

struct ToolRun {
    int exitCode = -1;
    std::string output;
};

ToolRun RunTool(const std::vector<std::string>& arguments) {
    platform::ProcessOptions options;
    options.captureOutput = true;
    std::optional<platform::Process> tool = platform::Process::StartArguments(arguments, options);
    if (!tool) {
        return {};
    }
    ToolRun run;
    run.output = tool->ReadAll();
    run.exitCode = tool->Wait();
    return run;
}

bool PassesQpdfCheck(const fs::path& pdf) {
    return RunTool({"qpdf", "--check", pdf.string()}).exitCode == 0;
}

std::string BuiltProgram(const char* name) {
    const char* bin = std::getenv("SCRIVOLA_BIN_DIR");
    return std::string(bin != nullptr ? bin : ".") + "/" + name;
}

class MonitorEndToEndTest : public ::testing::Test {
  protected:
    void SetUp() override {
        GuiApplication();
        for (const fs::path& folder : {in, out, second}) {
            fs::create_directories(folder);
        }
        TurnViewingOff();
        home.Set("FAKE_SCRIVOLA_LOG", home.Files() / "converter.log");
    }
    // The inputs the stand-in converter was started with, from its log.
    std::vector<std::string> ConvertedInputs() {
        std::vector<std::string> inputs;
        std::ifstream log(home.Files() / "converter.log");
        bool inputFollows = false;
        for (std::string line; std::getline(log, line);) {
            if (inputFollows && line.rfind("ARG ", 0) == 0) {
                inputs.push_back(line.substr(4));
            }
            inputFollows = line == "ARG -i";
        }
        return inputs;
    }

    testsupport::PrivateHome home;
    fs::path in = home.Files() / "drop folder";
    fs::path out = home.Files() / "pdf out";
    fs::path second = home.Files() / "second";
};

TEST_F(MonitorEndToEndTest, DroppedDocumentsBecomePdfsAndRestartTakesTheNewList) {
    monitor::StoreMonitorPairs({{in.string(), out.string()}});
    home.Set("FAKE_SCRIVOLA_PROGRESS", "77");
    QObject window;
    std::vector<int> progress;
    DirectoryMonitor monitor(
        &window, [&](int percent) { progress.push_back(percent); }, FakeConverterPath());
    ASSERT_TRUE(monitor.StartDirectoryMonitor(nullptr));

    WriteText(in / "Bericht März.doc", "report");
    WriteText(in / "table.XLS", "table");
    WriteText(in / "notes.txt", "notes");
    WriteText(in / "sub" / "inner.doc", "inner");
    WriteText(in / "fail.doc", "cannot be converted");

    ASSERT_TRUE(PumpUntil([&] {
        return fs::exists(in / "Bericht März.doc.bak") && fs::exists(in / "table.XLS.bak") &&
               fs::exists(in / "fail.doc.bak");
    }));
    EXPECT_EQ(Names(out), (std::set<std::string>{"Bericht März.pdf", "table.pdf"}));
    EXPECT_TRUE(PassesQpdfCheck(out / "Bericht März.pdf"));
    EXPECT_TRUE(PassesQpdfCheck(out / "table.pdf"));
    EXPECT_EQ(Names(in), (std::set<std::string>{"Bericht März.doc.bak", "table.XLS.bak",
                                                "fail.doc.bak", "notes.txt", "sub"}));
    EXPECT_EQ(Names(in / "sub"), std::set<std::string>{"inner.doc"});
    EXPECT_EQ(ReadText(in / "fail.doc.bak"), "cannot be converted");
    // The converter's progress reached the window's side.
    EXPECT_TRUE(PumpUntil([&] { return !progress.empty(); }));
    EXPECT_EQ(progress.front(), 77);

    // A new list, with originals deleted: the old folder is no longer
    // watched, the new one is.
    monitor::StoreMonitorPairs({{second.string(), out.string()}});
    scrivola_win::Store(scrivola_win::MonitorOptionRecord{scrivola_win::CheckBoxState::kChecked});
    ASSERT_TRUE(monitor.StartDirectoryMonitor(nullptr));
    WriteText(in / "late.doc", "late");
    WriteText(second / "next.rtf", "next");
    ASSERT_TRUE(PumpUntil([&] { return fs::exists(out / "next.pdf"); }));
    ASSERT_TRUE(PumpUntil([&] { return !fs::exists(second / "next.rtf"); }));
    EXPECT_TRUE(Names(second).empty());

    monitor.StopDirectoryMonitor();
    EXPECT_FALSE(monitor.IsRunning());
    EXPECT_TRUE(fs::exists(in / "late.doc"));
    EXPECT_FALSE(fs::exists(out / "late.pdf"));
    // Each document was converted once.
    EXPECT_EQ(ConvertedInputs().size(), 4u);
}

// The real converter, printer and office suite behind the same monitor.
TEST_F(MonitorEndToEndTest, RealConverterMakesThePdfOfADroppedDocument) {
    if (RunTool({"sh", "-c", "command -v soffice"}).exitCode != 0) {
        GTEST_SKIP() << "soffice is not installed";
    }
    ASSERT_EQ(RunTool({BuiltProgram("folivoprint"), "--install"}).exitCode, 0);
    monitor::StoreMonitorPairs({{in.string(), out.string()}});
    scrivola_win::Store(scrivola_win::MonitorOptionRecord{scrivola_win::CheckBoxState::kChecked});
    DirectoryMonitor monitor(nullptr, {}, BuiltProgram("scrivola"));
    ASSERT_TRUE(monitor.StartDirectoryMonitor(nullptr));

    fs::copy_file(fs::path(MONITOR_EXAMPLES_DIR) / "memo.rtf", in / "Memo März.rtf");
    ASSERT_TRUE(
        PumpUntil([&] { return !fs::exists(in / "Memo März.rtf"); }, std::chrono::seconds(240)));
    monitor.StopDirectoryMonitor();

    const fs::path pdf = out / "Memo März.pdf";
    ASSERT_TRUE(fs::exists(pdf));
    EXPECT_TRUE(PassesQpdfCheck(pdf));
    EXPECT_NE(RunTool({"pdftotext", pdf.string(), "-"}).output.find("heating"), std::string::npos);
    EXPECT_TRUE(Names(in).empty());
}

}  // namespace
