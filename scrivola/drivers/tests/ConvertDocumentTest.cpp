// ConvertDocument around a recording word processor: the printer is
// configured and selected for the job and put back afterwards, and two
// conversions never overlap.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <thread>

#include "PrinterJobLock.h"
#include "RecordingServer.h"
#include "drivers/ConvertDocument.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Registry.h"
#include "platform/Spooler.h"
#include "printing/DefaultPrinter.h"
#include "printing/PrinterSettings.h"
#include "testing/PrivateHome.h"

namespace scrivola {
namespace {

using platform::automation::InvokeKind;
using testing::CallLog;
using testing::RecordingServer;
using testing::ScopedClass;

constexpr char kOtherPrinter[] = "Office Laser";

class ConvertDocumentTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::automation::Initialize();
        platform::Spooler spooler = platform::Spooler::CurrentUser();
        ASSERT_TRUE(spooler.InstallPrinter(kVirtualPrinterName, "true"));
        ASSERT_TRUE(spooler.InstallPrinter(kOtherPrinter, "true"));
        ASSERT_TRUE(spooler.SetDefaultPrinter(kOtherPrinter));
        std::ofstream(input) << "text";
    }
    void TearDown() override { platform::automation::Uninitialize(); }

    // A word processor whose print call writes the job's file, as the
    // printer would; `printed` says whether it writes anything.
    std::shared_ptr<RecordingServer> WordThatPrints(const std::shared_ptr<CallLog>& log,
                                                    bool printed = true) {
        auto app = RecordingServer::Make("app", log);
        app->AnswerObject(6, InvokeKind::PropertyGet, "documents")
            ->AnswerObject(12, InvokeKind::Method, "document");
        if (printed) {
            const std::string target = output;
            app->OnCall(302, InvokeKind::Method, [target] { std::ofstream(target) << "%PDF-"; });
        }
        return app;
    }

    std::optional<std::string> DefaultPrinter() const {
        return platform::Spooler::CurrentUser().GetDefaultPrinter();
    }

    testsupport::PrivateHome folder;
    const std::string input = folder.Path("REPORT.DOC");
    const std::string output = folder.Path("report.pdf");
    platform::FakeClock clock;
};

// The printer is pointed at the job's file only while the job prints: the
// next print to it, from any program, must not replace that file.
TEST_F(ConvertDocumentTest, PrintsThroughTheVirtualPrinterAndRestoresItsSettingsAndTheDefault) {
    PrinterSettings before;
    LoadPrinterSettings(before);
    before.AutomaticDirectory = "/home/somebody/Folivo";
    before.AutoView = 1;
    SavePrinterSettings(before);

    auto log = std::make_shared<CallLog>();
    auto app = WordThatPrints(log, false);
    PrinterSettings whilePrinting;
    app->OnCall(302, InvokeKind::Method, [&] {
        LoadPrinterSettings(whilePrinting);
        std::ofstream(output) << "%PDF-";
    });
    ScopedClass word("Word.Application", testing::HandOut(std::move(app)));
    EXPECT_EQ(ConvertDocument(input, output, clock), 1);
    EXPECT_EQ(log->calls.back(), "app.Method 1105 [ref(I2:0), ref(I2:0), ref(I2:0)]");
    EXPECT_EQ(whilePrinting.AutomaticDirectory, output);
    EXPECT_EQ(whilePrinting.AutomaticOutput, 1);
    EXPECT_EQ(whilePrinting.AutoView, 0);

    PrinterSettings after;
    LoadPrinterSettings(after);
    EXPECT_EQ(after.AutomaticDirectory, "/home/somebody/Folivo");
    EXPECT_EQ(after.AutomaticOutput, 0);
    EXPECT_EQ(after.AutomaticValue, 2);
    EXPECT_EQ(after.AutoView, 1);
    EXPECT_EQ(DefaultPrinter(), kOtherPrinter);
}

TEST_F(ConvertDocumentTest, VirtualPrinterIsTheDefaultWhileTheApplicationPrints) {
    auto log = std::make_shared<CallLog>();
    auto app = WordThatPrints(log, false);
    std::optional<std::string> defaultWhilePrinting;
    app->OnCall(302, InvokeKind::Method, [&] { defaultWhilePrinting = DefaultPrinter(); });
    ScopedClass word("Word.Application", testing::HandOut(std::move(app)));
    EXPECT_EQ(ConvertDocument(input, output, clock), 0);  // nothing was written
    EXPECT_EQ(defaultWhilePrinting, kVirtualPrinterName);
    EXPECT_EQ(DefaultPrinter(), kOtherPrinter);
}

TEST_F(ConvertDocumentTest, AnEarlierOutputOfTheSameNameIsNotThisJobsResult) {
    testsupport::WriteFile(output, "%PDF-1.4 an earlier output");
    auto log = std::make_shared<CallLog>();
    ScopedClass word("Word.Application", testing::HandOut(WordThatPrints(log, false)));
    EXPECT_EQ(ConvertDocument(input, output, clock), 0);
    EXPECT_EQ(testsupport::ReadFile(output), "%PDF-1.4 an earlier output");
}

TEST_F(ConvertDocumentTest, JobsThatCannotRunChangeNothingAndStartNothing) {
    const std::string missing = folder.Path("missing.doc");
    const std::string overlong = folder.Path(std::string(300, 'o') + ".pdf");
    const struct {
        const char* name;
        std::string input;
        std::string output;
    } cases[] = {{"missing input", missing, output}, {"output too long", input, overlong}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto log = std::make_shared<CallLog>();
        ScopedClass word("Word.Application", testing::HandOut(WordThatPrints(log)));
        EXPECT_EQ(ConvertDocument(c.input, c.output, clock), 0);
        EXPECT_TRUE(log->calls.empty());
        EXPECT_EQ(DefaultPrinter(), kOtherPrinter);
        EXPECT_FALSE(platform::Registry::CurrentUser().KeyExists(kPrinterSettingsKey));
    }
}

TEST_F(ConvertDocumentTest, FailedDriverGivesZeroWithoutWaiting) {
    auto log = std::make_shared<CallLog>();
    log->failAtCall = 1;  // Documents.Open
    ScopedClass word("Word.Application", testing::HandOut(WordThatPrints(log)));
    EXPECT_EQ(ConvertDocument(input, output, clock), 0);
    EXPECT_EQ(clock.TotalSleptMs(), 0u);
    EXPECT_EQ(DefaultPrinter(), kOtherPrinter);
}

TEST_F(ConvertDocumentTest, WebPageWritesTheMessageAndRestoresThePrinter) {
    const std::string page = folder.Path("page.html");
    std::ofstream(page) << "<html></html>";
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(ConvertDocument(page, output, clock), 0);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "Doesn't support this format at the moment!");
    EXPECT_EQ(DefaultPrinter(), kOtherPrinter);
}

TEST_F(ConvertDocumentTest, AJobWithoutThePrinterLockDoesNotRun) {
    ASSERT_TRUE(platform::CreateDirectories(PrinterJobLockPath()));  // cannot be opened
    auto log = std::make_shared<CallLog>();
    ScopedClass word("Word.Application", testing::HandOut(WordThatPrints(log)));
    EXPECT_EQ(ConvertDocument(input, output, clock), 0);
    EXPECT_TRUE(log->calls.empty());
    EXPECT_FALSE(platform::PathExists(output));
    EXPECT_EQ(DefaultPrinter(), kOtherPrinter);
}

TEST_F(ConvertDocumentTest, SecondConversionWaitsForThePrinterLock) {
    auto log = std::make_shared<CallLog>();
    ScopedClass word("Word.Application", testing::HandOut(WordThatPrints(log)));
    auto held = std::make_unique<PrinterJobLock>();
    ASSERT_TRUE(held->Held());

    std::atomic<int> result{-1};
    std::thread other([&] {
        platform::automation::Initialize();
        platform::FakeClock otherClock;
        result = ConvertDocument(input, output, otherClock);
        platform::automation::Uninitialize();
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(result, -1);
    EXPECT_FALSE(platform::Registry::CurrentUser().KeyExists(kPrinterSettingsKey));
    held.reset();
    other.join();
    EXPECT_EQ(result, 1);
}

}  // namespace
}  // namespace scrivola
