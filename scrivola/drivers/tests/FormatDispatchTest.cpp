#include <gtest/gtest.h>

#include "RecordingServer.h"
#include "drivers/FormatDispatch.h"

namespace scrivola {
namespace {

TEST(FormatDispatchTest, ExtensionChoosesTheDriverWithoutRegardToCase) {
    const struct {
        const char* input;
        DocumentDriver driver;
    } cases[] = {
        {"REPORT.DOC", DocumentDriver::Word},      {"notes.Txt", DocumentDriver::Word},
        {"/a/letter.rtf", DocumentDriver::Word},   {"sheet.XLS", DocumentDriver::Excel},
        {"talk.ppt", DocumentDriver::PowerPoint},  {"plan.vsd", DocumentDriver::Visio},
        {"scan.Pdf", DocumentDriver::Acrobat},     {"page.html", DocumentDriver::WebPage},
        {"page.HTM", DocumentDriver::WebPage},     {"a.docx", DocumentDriver::Word},
        {"b.xlsx", DocumentDriver::Excel},         {"c.ODT", DocumentDriver::Word},
        {"d.csv", DocumentDriver::Excel},          {"e.pptx", DocumentDriver::PowerPoint},
        {"f.odp", DocumentDriver::PowerPoint},     {"g.vsdx", DocumentDriver::Visio},
        {"h.odg", DocumentDriver::Visio},          {"setup.exe", DocumentDriver::None},
        {"archive.doc.zip", DocumentDriver::None}, {"folder.doc/readme", DocumentDriver::None},
        {"noextension", DocumentDriver::None},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ChooseDriver(c.input), c.driver) << c.input;
    }
}

class PrintDocumentTest : public ::testing::Test {
  protected:
    void SetUp() override { platform::automation::Initialize(); }
    void TearDown() override { platform::automation::Uninitialize(); }
};

TEST_F(PrintDocumentTest, WebPageWritesTheMessageWithoutLineEndAndGivesZero) {
    ::testing::internal::CaptureStdout();
    const int result = PrintDocument("page.html");
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "Doesn't support this format at the moment!");
    EXPECT_EQ(result, 0);
}

TEST_F(PrintDocumentTest, UnknownExtensionIsSilentAndStartsNoApplication) {
    auto log = std::make_shared<testing::CallLog>();
    std::vector<std::unique_ptr<testing::ScopedClass>> classes;
    for (const char* progId : {"Word.Application", "Excel.Application", "PowerPoint.Application",
                               "Visio.Application", "AcroExch.App", "AcroExch.AVDoc"}) {
        classes.push_back(std::make_unique<testing::ScopedClass>(
            progId, testing::HandOut(testing::RecordingServer::Make(progId, log))));
    }
    for (const char* input : {"archive.zip", "setup.exe"}) {
        ::testing::internal::CaptureStdout();
        EXPECT_EQ(PrintDocument(input), 0);
        EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    }
    EXPECT_TRUE(log->calls.empty());
}

TEST_F(PrintDocumentTest, DocumentGoesToItsApplication) {
    const struct {
        const char* input;
        const char* progId;
    } cases[] = {{"REPORT.DOC", "Word.Application"},
                 {"b.xls", "Excel.Application"},
                 {"c.PPT", "PowerPoint.Application"},
                 {"d.vsd", "Visio.Application"},
                 {"e.pdf", "AcroExch.App"}};
    for (const auto& c : cases) {
        auto log = std::make_shared<testing::CallLog>();
        testing::ScopedClass app(c.progId,
                                 testing::HandOut(testing::RecordingServer::Make(c.progId, log)));
        PrintDocument(c.input);
        ASSERT_FALSE(log->calls.empty()) << c.input;
        EXPECT_EQ(log->calls.front().rfind(c.progId, 0), 0u) << log->calls.front();
    }
}

}  // namespace
}  // namespace scrivola
