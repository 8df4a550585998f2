// Every driver against recording servers: the exact calls in order, and quit
// and release on every path out.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "RecordingServer.h"
#include "drivers/ApplicationDrivers.h"

namespace scrivola {
namespace {

using platform::automation::InvokeKind;
using platform::automation::Variant;
using testing::CallLog;
using testing::HandOut;
using testing::RecordingServer;
using testing::ScopedClass;

constexpr char kInput[] = "/data/Report \"1\" \xC3\xA9.DOC";
const std::string kPrinter = "BStr:Folivo Converter and Creator";

// "a, a, a" for n times a.
std::string Repeat(const std::string& item, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) {
        text += (i ? ", " : "") + item;
    }
    return text;
}

using Builder = std::function<std::shared_ptr<RecordingServer>(const std::shared_ptr<CallLog>&)>;

struct DriverCase {
    const char* name;
    std::function<int(const std::string&)> driver;
    std::vector<std::pair<std::string, Builder>> classes;  // created in this order
    std::vector<std::string> calls;                        // the last one quits
};

void PrintTo(const DriverCase& driverCase, std::ostream* out) {
    *out << driverCase.name;
}

std::shared_ptr<RecordingServer> WordApp(const std::shared_ptr<CallLog>& log) {
    auto app = RecordingServer::Make("app", log);
    app->AnswerObject(6, InvokeKind::PropertyGet, "documents")
        ->AnswerObject(12, InvokeKind::Method, "document");
    return app;
}

std::shared_ptr<RecordingServer> ExcelApp(const std::shared_ptr<CallLog>& log) {
    auto app = RecordingServer::Make("app", log);
    app->AnswerObject(572, InvokeKind::PropertyGet, "workbooks")
        ->AnswerObject(682, InvokeKind::Method, "workbook");
    app->AnswerObject(494, InvokeKind::PropertyGet, "worksheets");
    return app;
}

std::shared_ptr<RecordingServer> PowerPointApp(const std::shared_ptr<CallLog>& log,
                                               std::int32_t slideCount) {
    auto app = RecordingServer::Make("app", log);
    auto presentation = app->AnswerObject(2001, InvokeKind::PropertyGet, "presentations")
                            ->AnswerObject(2004, InvokeKind::Method, "presentation");
    presentation->AnswerObject(2033, InvokeKind::PropertyGet, "options");
    presentation->AnswerObject(2011, InvokeKind::PropertyGet, "slides")
        ->Answer(11, InvokeKind::PropertyGet, Variant::I4(slideCount));
    return app;
}

std::shared_ptr<RecordingServer> VisioApp(const std::shared_ptr<CallLog>& log) {
    auto app = RecordingServer::Make("app", log);
    app->AnswerObject(4, InvokeKind::PropertyGet, "documents")
        ->AnswerObject(6, InvokeKind::Method, "document");
    return app;
}

std::shared_ptr<RecordingServer> AcrobatApp(const std::shared_ptr<CallLog>& log) {
    auto app = RecordingServer::Make("app", log);
    app->Answer(1, InvokeKind::Method, Variant::Bool(true));
    return app;
}

std::shared_ptr<RecordingServer> AcrobatWindow(const std::shared_ptr<CallLog>& log, bool opens,
                                               bool prints) {
    auto window = RecordingServer::Make("window", log);
    window->Answer(1, InvokeKind::Method, Variant::Bool(opens));
    window->AnswerObject(2, InvokeKind::Method, "pddoc")
        ->Answer(6, InvokeKind::Method, Variant::I4(3));
    window->Answer(8, InvokeKind::Method, Variant::Bool(prints));
    window->Answer(6, InvokeKind::Method, Variant::Bool(true));
    return window;
}

std::vector<DriverCase> DriverCases() {
    const std::string path = std::string("BStr:") + kInput;
    return {
        {"Word",
         PrintWithWord,
         {{"Word.Application", WordApp}},
         {"app.Get 6 []",
          "documents.Method 12 [ref(" + path + "), ref(I2:0), ref(I2:1), " +
              Repeat("ref(Missing)", 7) + "]",
          "app.Put 23 [Bool:false]", "app.Put 66 [" + kPrinter + "]",
          "app.Method 302 [ref(I2:0), " + Repeat("ref(Missing)", 14) + "]",
          "document.Method 1105 [ref(I2:0), ref(Missing), ref(Missing)]",
          "app.Method 1105 [ref(I2:0), ref(I2:0), ref(I2:0)]"}},
        {"Excel",
         PrintWithExcel,
         {{"Excel.Application", ExcelApp}},
         {"app.Put 343 [Bool:false]", "app.Put 558 [Bool:false]", "app.Get 572 []",
          "workbooks.Method 682 [" + path +
              ", I2:0, I2:1, Missing, Missing, Missing, I2:1, Missing, Missing, Missing, "
              "Missing, Missing, I2:0]",
          "app.Get 494 []",
          "worksheets.Method 905 [Missing, Missing, Missing, I2:0, " + kPrinter +
              ", Missing, Missing]",
          "workbooks.Method 277 []", "app.Method 302 []"}},
        {"PowerPoint",
         PrintWithPowerPoint,
         {{"PowerPoint.Application",
           [](const std::shared_ptr<CallLog>& log) { return PowerPointApp(log, 4); }}},
         {"app.Get 2001 []", "presentations.Method 2004 [" + path + ", I4:1, I4:1, I4:0]",
          "presentation.Get 2033 []", "options.Put 2010 [I4:0]",
          "options.Put 2015 [" + kPrinter + "]", "presentation.Get 2011 []", "slides.Get 11 []",
          "presentation.Method 2034 [I4:0, I4:4, BStr:, I4:1, I4:0]", "presentation.Method 2039 []",
          "app.Method 2021 []"}},
        {"Visio",
         PrintWithVisio,
         {{"Visio.Application", VisioApp}},
         {"app.Put 67 [Bool:false]", "app.Get 4 []", "documents.Method 6 [" + path + ", I2:40]",
          "document.Put 64 [I2:0]", "document.Put 45 [I2:1]", "document.Put 46 [I2:1]",
          "document.Put 48 [I2:1]", "document.Method 22 []", "document.Put 10 [I2:1]",
          "document.Method 23 []", "app.Method 9 []"}},
        {"Acrobat",
         PrintWithAcrobat,
         {{"AcroExch.App", AcrobatApp},
          {"AcroExch.AVDoc",
           [](const std::shared_ptr<CallLog>& log) { return AcrobatWindow(log, true, true); }}},
         {"window.Method 1 [" + path + ", BStr:]", "window.Method 2 []", "pddoc.Method 6 []",
          "window.Method 8 [I4:0, I4:2, I4:0, Bool:true, Bool:true]", "window.Method 6 [Bool:true]",
          "app.Method 1 []"}},
    };
}

class DriverSequenceTest : public ::testing::TestWithParam<DriverCase> {
  protected:
    void SetUp() override { platform::automation::Initialize(); }
    void TearDown() override { platform::automation::Uninitialize(); }

    // Runs the driver with fresh servers; the log's `failAtCall` is set first.
    int Run(const std::shared_ptr<CallLog>& log) {
        std::vector<std::unique_ptr<ScopedClass>> classes;
        for (const auto& [progId, build] : GetParam().classes) {
            classes.push_back(std::make_unique<ScopedClass>(progId, HandOut(build(log))));
        }
        return GetParam().driver(kInput);
    }
};

TEST_P(DriverSequenceTest, MakesEveryCallInOrderAndQuits) {
    auto log = std::make_shared<CallLog>();
    EXPECT_EQ(Run(log), 1);
    EXPECT_EQ(log->calls, GetParam().calls);
    EXPECT_TRUE(log->AllReleased());
}

TEST_P(DriverSequenceTest, AFailingCallEndsTheSequenceButStillQuitsAndReleases) {
    const std::vector<std::string>& expected = GetParam().calls;
    for (std::size_t failing = 0; failing + 1 < expected.size(); ++failing) {
        SCOPED_TRACE("failing call: " + expected[failing]);
        auto log = std::make_shared<CallLog>();
        log->failAtCall = failing;
        EXPECT_EQ(Run(log), 0);
        std::vector<std::string> calls(expected.begin(), expected.begin() + failing + 1);
        calls.push_back(expected.back());
        EXPECT_EQ(log->calls, calls);
        EXPECT_TRUE(log->AllReleased());
    }
}

TEST_P(DriverSequenceTest, AFailingQuitKeepsTheResult) {
    auto log = std::make_shared<CallLog>();
    log->failAtCall = GetParam().calls.size() - 1;
    EXPECT_EQ(Run(log), 1);
    EXPECT_TRUE(log->AllReleased());
}

TEST_P(DriverSequenceTest, AnApplicationThatIsNotInstalledGivesZeroAndNoCalls) {
    auto log = std::make_shared<CallLog>();
    ScopedClass missing(GetParam().classes.front().first, testing::NotInstalled());
    EXPECT_EQ(GetParam().driver(kInput), 0);
    EXPECT_TRUE(log->calls.empty());
}

INSTANTIATE_TEST_SUITE_P(Drivers, DriverSequenceTest, ::testing::ValuesIn(DriverCases()),
                         [](const auto& info) { return std::string(info.param.name); });

class SpecialPathTest : public ::testing::Test {
  protected:
    void SetUp() override { platform::automation::Initialize(); }
    void TearDown() override { platform::automation::Uninitialize(); }
};

TEST_F(SpecialPathTest, PresentationWithoutSlidesPrintsNothingAndReportsOne) {
    auto log = std::make_shared<CallLog>();
    ScopedClass app("PowerPoint.Application", HandOut(PowerPointApp(log, 0)));
    EXPECT_EQ(PrintWithPowerPoint(kInput), 1);
    ASSERT_GE(log->calls.size(), 3u);
    EXPECT_EQ(log->calls[log->calls.size() - 3], "slides.Get 11 []");
    EXPECT_EQ(log->calls[log->calls.size() - 2], "presentation.Method 2039 []");
    EXPECT_EQ(log->calls.back(), "app.Method 2021 []");
}

TEST_F(SpecialPathTest, PdfViewerFailuresGiveZeroAndStillExit) {
    struct Case {
        const char* name;
        bool windowCreated;
        bool opens;
        bool prints;
        std::vector<std::string> tail;  // the last calls made
    };
    const Case cases[] = {
        {"no document window", false, true, true, {"app.Method 1 []"}},
        {"open reports false",
         true,
         false,
         true,
         {"window.Method 1 [BStr:a.pdf, BStr:]", "app.Method 1 []"}},
        {"print reports false",
         true,
         true,
         false,
         {"window.Method 6 [Bool:true]", "app.Method 1 []"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto log = std::make_shared<CallLog>();
        ScopedClass app("AcroExch.App", HandOut(AcrobatApp(log)));
        ScopedClass window("AcroExch.AVDoc", c.windowCreated
                                                 ? HandOut(AcrobatWindow(log, c.opens, c.prints))
                                                 : testing::NotInstalled());
        EXPECT_EQ(PrintWithAcrobat("a.pdf"), 0);
        ASSERT_GE(log->calls.size(), c.tail.size());
        EXPECT_EQ(std::vector<std::string>(log->calls.end() - c.tail.size(), log->calls.end()),
                  c.tail);
        if (!c.opens) {
            EXPECT_EQ(log->calls.size(), 2u);
        }
        EXPECT_TRUE(log->AllReleased());
    }
}

TEST_F(SpecialPathTest, ACallAnsweringNoObjectCountsAsAFailure) {
    auto log = std::make_shared<CallLog>();
    auto app = RecordingServer::Make("app", log);  // Documents answers nothing
    ScopedClass word("Word.Application", HandOut(std::move(app)));
    EXPECT_EQ(PrintWithWord("a.doc"), 0);
    EXPECT_EQ(log->calls,
              (std::vector<std::string>{"app.Get 6 []",
                                        "app.Method 1105 [ref(I2:0), ref(I2:0), ref(I2:0)]"}));
}

}  // namespace
}  // namespace scrivola
