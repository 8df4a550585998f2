// The servers against a stand-in soffice: exactly the calls the drivers
// make are served, documents are rendered from a private copy, printed on
// the named or default printer, and nothing is left behind.
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <thread>

#include "DocumentFile.h"
#include "LibreOffice.h"
#include "OfficeSession.h"
#include "OfficeTestSupport.h"
#include "PdfDocument.h"
#include "office/AutomationServers.h"
#include "platform/Automation.h"
#include "platform/FileSystem.h"
#include "testing/PrivateHome.h"

namespace office {
namespace {

using platform::automation::AutomationError;
using platform::automation::CreateObject;
using platform::automation::Dispatch;
using platform::automation::InvokeKind;
using platform::automation::Variant;

constexpr char kPrinter[] = "Folivo Converter and Creator";

Variant Ref(const Variant& value) {
    return Variant::ByRef(std::make_shared<Variant>(value));
}

std::vector<Variant> Refs(std::vector<Variant> values) {
    for (Variant& value : values) {
        value = Ref(value);
    }
    return values;
}

std::vector<Variant> Missing(std::vector<Variant> head, std::size_t count) {
    head.insert(head.end(), count, Variant::Missing());
    return head;
}

std::shared_ptr<Dispatch> Get(Dispatch& object, std::int32_t dispid) {
    return object.Invoke(dispid, InvokeKind::PropertyGet, {}).AsObject();
}

// Gone, or a zombie waiting for whoever adopted it to reap it.
bool IsAlive(int pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const std::size_t end = text.rfind(')');
    return end != std::string::npos && end + 2 < text.size() && text[end + 2] != 'Z' &&
           text[end + 2] != 'X';
}

int PagesOf(const std::string& pdf) {
    return PdfDocument(pdf).PageCount();
}

class OfficeServerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        platform::automation::Initialize();
        RegisterAutomationServers();
        environment.InstallRecordingPrinter(kPrinter, true);
        testing::WriteFile(document, "some text");
    }
    void TearDown() override { platform::automation::Uninitialize(); }

    std::vector<Variant> WordOpenArguments(const std::string& path) {
        return Refs(Missing({Variant::BStr(path), Variant::I2(0), Variant::I2(1)}, 7));
    }

    testing::OfficeTestEnvironment environment;
    const std::string document = environment.Path("my 'odd' \"name\" \xC3\xA9.doc");
};

TEST_F(OfficeServerTest, ServersRefuseCallsTheDriversNeverMake) {
    struct Case {
        const char* progId;
        std::int32_t dispid;
        InvokeKind kind;
        std::vector<Variant> arguments;
        std::int32_t error;
    };
    using namespace platform::automation;
    const Case cases[] = {
        {"Word.Application", 999, InvokeKind::Method, {}, DISP_E_MEMBERNOTFOUND},
        {"Word.Application", 6, InvokeKind::Method, {}, DISP_E_MEMBERNOTFOUND},
        {"Word.Application", 23, InvokeKind::PropertyPut, {Variant::I2(0)}, DISP_E_TYPEMISMATCH},
        {"Word.Application", 302, InvokeKind::Method, Refs(Missing({Variant::I2(0)}, 13)),
         DISP_E_BADPARAMCOUNT},
        {"Word.Application",
         1105,
         InvokeKind::Method,
         {Variant::I2(0), Variant::I2(0), Variant::I2(0)},
         DISP_E_TYPEMISMATCH},
        {"Excel.Application",
         343,
         InvokeKind::PropertyPut,
         {Variant::BStr("no")},
         DISP_E_TYPEMISMATCH},
        {"Excel.Application", 302, InvokeKind::Method, {Variant::I2(0)}, DISP_E_BADPARAMCOUNT},
        {"PowerPoint.Application",
         2001,
         InvokeKind::PropertyPut,
         {Variant::I4(0)},
         DISP_E_MEMBERNOTFOUND},
        {"Visio.Application", 67, InvokeKind::PropertyPut, {Variant::I4(0)}, DISP_E_TYPEMISMATCH},
        {"AcroExch.App", 1, InvokeKind::Method, {Variant::Bool(true)}, DISP_E_BADPARAMCOUNT},
        {"AcroExch.AVDoc",
         1,
         InvokeKind::Method,
         {Variant::BStr("a.pdf"), Variant::I2(0)},
         DISP_E_TYPEMISMATCH},
        {"AcroExch.AVDoc",
         8,
         InvokeKind::Method,
         {Variant::I2(0), Variant::I4(0), Variant::I4(0), Variant::Bool(true), Variant::Bool(true)},
         DISP_E_TYPEMISMATCH},
        {"AcroExch.AVDoc", 2, InvokeKind::PropertyGet, {}, DISP_E_MEMBERNOTFOUND},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.progId) + " " + std::to_string(c.dispid));
        auto server = CreateObject(c.progId);
        try {
            server->Invoke(c.dispid, c.kind, c.arguments);
            ADD_FAILURE() << "the call was accepted";
        } catch (const AutomationError& error) {
            EXPECT_EQ(error.HResult(), c.error) << error.what();
        }
    }
}

TEST_F(OfficeServerTest, DocumentsThatCannotBeReadAreNotOpened) {
    const std::string folderNamedLikeADocument = environment.Path("x.doc");
    ASSERT_TRUE(platform::CreateDirectories(folderNamedLikeADocument));
    const std::string pipe = environment.Path("pipe.doc");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const std::string empty = environment.Path("empty.doc");
    testing::WriteFile(empty, "");
    std::vector<std::string> paths = {environment.Path("missing.doc"), folderNamedLikeADocument,
                                      pipe, empty};
    const std::string unreadable = environment.Path("locked.doc");
    testing::WriteFile(unreadable, "secret");
    ::chmod(unreadable.c_str(), 0);
    if (::geteuid() != 0) {  // root reads anything
        paths.push_back(unreadable);
    }
    auto word = CreateObject("Word.Application");
    auto documents = Get(*word, 6);
    auto viewer = CreateObject("AcroExch.AVDoc");
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        EXPECT_THROW(documents->Invoke(12, InvokeKind::Method, WordOpenArguments(path)),
                     AutomationError);
        EXPECT_FALSE(viewer->Invoke(1, InvokeKind::Method, {Variant::BStr(path), Variant::BStr("")})
                         .AsBool());
    }
    EXPECT_TRUE(environment.SofficeRuns().empty());
}

TEST_F(OfficeServerTest, WithoutLibreOfficeTheApplicationsCannotBeCreated) {
    environment.HideSoffice();
    for (const char* progId :
         {"Word.Application", "Excel.Application", "PowerPoint.Application", "Visio.Application"}) {
        try {
            CreateObject(progId);
            ADD_FAILURE() << progId << " was created";
        } catch (const AutomationError& error) {
            EXPECT_EQ(error.HResult(), platform::automation::REGDB_E_CLASSNOTREG);
        }
    }
    EXPECT_NE(CreateObject("AcroExch.App"), nullptr);
}

TEST_F(OfficeServerTest, WordRendersAPrivateCopyAndPrintsOnTheNamedPrinter) {
    environment.InstallRecordingPrinter("Elsewhere", true);  // not the one named
    auto word = CreateObject("Word.Application");
    auto opened = Get(*word, 6)->Invoke(12, InvokeKind::Method, WordOpenArguments(document));
    word->Invoke(66, InvokeKind::PropertyPut, {Variant::BStr(kPrinter)});
    word->Invoke(302, InvokeKind::Method, Refs(Missing({Variant::I2(0)}, 14)));

    const auto runs = environment.SofficeRuns();
    ASSERT_EQ(runs.size(), 1u);
    const std::vector<std::string>& args = runs[0];
    ASSERT_EQ(args.size(), 9u);
    EXPECT_EQ(std::vector<std::string>(args.begin(), args.begin() + 3),
              (std::vector<std::string>{"--headless", "--norestore", "--nolockcheck"}));
    EXPECT_EQ(args[3].rfind("-env:UserInstallation=file://" + environment.Path("tmp/"), 0), 0u)
        << args[3];
    EXPECT_EQ(args[4], "--convert-to");
    EXPECT_EQ(args[5], "pdf");
    EXPECT_EQ(args[8], args[7] + "/document.doc");
    ASSERT_EQ(environment.PrintedJobs().size(), 1u);
    EXPECT_EQ(PagesOf(environment.PrintedJobs()[0]), 1);

    opened.AsObject()->Invoke(1105, InvokeKind::Method,
                              Refs({Variant::I2(0), Variant::Missing(), Variant::Missing()}));
    word->Invoke(1105, InvokeKind::Method, Refs({Variant::I2(0), Variant::I2(0), Variant::I2(0)}));
    EXPECT_TRUE(environment.TempEntries().empty());
    // A quit application takes no more calls.
    EXPECT_THROW(Get(*word, 6), AutomationError);
}

TEST_F(OfficeServerTest, PrintingOnAPrinterThatDoesNotExistFails) {
    auto word = CreateObject("Word.Application");
    EXPECT_THROW(word->Invoke(66, InvokeKind::PropertyPut, {Variant::BStr("No Such Printer")}),
                 AutomationError);
}

TEST_F(OfficeServerTest, PresentationCountsItsSlidesAndPrintsTheRange) {
    environment.SetRenderedPdf(testing::MinimalPdf(3));
    auto powerPoint = CreateObject("PowerPoint.Application");
    auto presentation =
        Get(*powerPoint, 2001)
            ->Invoke(2004, InvokeKind::Method,
                     {Variant::BStr(document), Variant::I4(1), Variant::I4(1), Variant::I4(0)})
            .AsObject();
    EXPECT_EQ(Get(*presentation, 2011)->Invoke(11, InvokeKind::PropertyGet, {}).AsI4(), 3);
    const auto printOut = [&](int from, int to) {
        presentation->Invoke(2034, InvokeKind::Method,
                             {Variant::I4(from), Variant::I4(to), Variant::BStr(""), Variant::I4(1),
                              Variant::I4(0)});
    };
    printOut(0, 3);
    printOut(2, 3);
    EXPECT_THROW(printOut(2, 4), AutomationError);
    const auto jobs = environment.PrintedJobs();
    ASSERT_EQ(jobs.size(), 2u);
    EXPECT_EQ(PagesOf(jobs[0]), 3);
    EXPECT_EQ(PagesOf(jobs[1]), 2);
}

TEST_F(OfficeServerTest, ViewerReprintsThePagesOfAPdf) {
    const std::string pdf = environment.Path("three pages.pdf");
    testing::WriteFile(pdf, testing::MinimalPdf(3));
    auto viewer = CreateObject("AcroExch.AVDoc");
    ASSERT_TRUE(
        viewer->Invoke(1, InvokeKind::Method, {Variant::BStr(pdf), Variant::BStr("")}).AsBool());
    auto pdDoc = viewer->Invoke(2, InvokeKind::Method, {}).AsObject();
    EXPECT_EQ(pdDoc->Invoke(6, InvokeKind::Method, {}).AsI4(), 3);
    const auto print = [&](int first, int last) {
        return viewer
            ->Invoke(8, InvokeKind::Method,
                     {Variant::I4(first), Variant::I4(last), Variant::I4(0), Variant::Bool(true),
                      Variant::Bool(true)})
            .AsBool();
    };
    EXPECT_TRUE(print(1, 2));
    EXPECT_FALSE(print(0, 3));
    EXPECT_FALSE(print(0, -1));
    const auto jobs = environment.PrintedJobs();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(PagesOf(jobs[0]), 2);
    EXPECT_TRUE(environment.TempEntries().empty());
}

TEST_F(OfficeServerTest, DamagedOrEmptyPdfIsNotOpened) {
    const std::string empty = environment.Path("empty.pdf");
    const std::string damaged = environment.Path("damaged.pdf");
    testing::WriteFile(empty, "");
    testing::WriteFile(damaged, "%PDF-1.4\nthis is not a PDF at all\n");
    auto viewer = CreateObject("AcroExch.AVDoc");
    for (const std::string& path : {empty, damaged}) {
        EXPECT_FALSE(viewer->Invoke(1, InvokeKind::Method, {Variant::BStr(path), Variant::BStr("")})
                         .AsBool())
            << path;
    }
}

TEST_F(OfficeServerTest, DocumentLibreOfficeCannotOpenFailsAndLeavesNothing) {
    environment.SetSofficeMode("nothing");
    auto word = CreateObject("Word.Application");
    EXPECT_THROW(Get(*word, 6)->Invoke(12, InvokeKind::Method, WordOpenArguments(document)),
                 AutomationError);
    word->Invoke(1105, InvokeKind::Method, Refs({Variant::I2(0), Variant::I2(0), Variant::I2(0)}));
    EXPECT_TRUE(environment.TempEntries().empty());
}

TEST_F(OfficeServerTest, ReleasingWithoutQuitStillRemovesThePrivateFolder) {
    {
        auto excel = CreateObject("Excel.Application");
        Get(*excel, 572)
            ->Invoke(682, InvokeKind::Method,
                     {Variant::BStr(document), Variant::I2(0), Variant::I2(1), Variant::Missing(),
                      Variant::Missing(), Variant::Missing(), Variant::I2(1), Variant::Missing(),
                      Variant::Missing(), Variant::Missing(), Variant::Missing(),
                      Variant::Missing(), Variant::I2(0)});
        EXPECT_FALSE(environment.TempEntries().empty());
    }
    EXPECT_TRUE(environment.TempEntries().empty());
}

TEST_F(OfficeServerTest, HangingLibreOfficeIsKilledAtTheTimeOut) {
    environment.SetSofficeMode("hang");
    OfficeSession session("Word.Application", environment.Path("bin/soffice"), 500);
    EXPECT_THROW(session.Render(document), AutomationError);
    const std::vector<int> pids = environment.HungProcesses();
    ASSERT_EQ(pids.size(), 2u);
    for (const int pid : pids) {
        // SIGKILL is delivered at once, but a process needs a moment to die
        // on a loaded machine; one still alive after seconds was not killed.
        for (int tries = 0; tries < 100 && IsAlive(pid); ++tries) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        EXPECT_FALSE(IsAlive(pid)) << pid;
    }
    session.Quit();
    EXPECT_TRUE(environment.TempEntries().empty());
}

TEST(LibreOfficeTest, ProfileFolderIsGivenAsAnEncodedFileUrl) {
    EXPECT_EQ(FileUrl("/tmp/a b/\xC3\xA9%#?/x_y-z.~"), "file:///tmp/a%20b/%C3%A9%25%23%3F/x_y-z.~");
}

TEST(DocumentFileTest, OnlyDocumentFormatsAndTextAreDocuments) {
    const std::string zeros(64, '\0');
    const struct {
        const char* what;
        std::string head;
        bool document;
    } cases[] = {
        {"OLE2", std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8) + zeros, true},
        {"ZIP", std::string("PK\x03\x04", 4) + zeros, true},
        {"RTF", "{\\rtf1\\ansi hello}", true},
        {"PDF after a little junk", std::string("junk\n%PDF-1.4\n") + zeros, true},
        {"UTF-16 text", std::string("\xFF\xFEh\0i\0", 6), true},
        {"plain text", "Dear reader,\nplain text.\n", true},
        {"binary junk", std::string("\x13\x37\0\x42garbage", 11), false},
        {"zeros", zeros, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LooksLikeADocument(c.head), c.document) << c.what;
    }
}

// An empty or relative PATH entry would run whatever "soffice" lies in the
// current folder.
TEST(LibreOfficeTest, OnlyAbsolutePathEntriesAreSearched) {
    testsupport::PrivateHome home;
    const std::string planted = home.Write("work/soffice", "#!/bin/sh\n");
    ASSERT_EQ(::chmod(planted.c_str(), 0755), 0);
    const std::filesystem::path saved = std::filesystem::current_path();
    std::filesystem::current_path(home.Path("work"));
    const struct {
        std::string path;
        std::optional<std::string> found;
    } cases[] = {
        {":/nonexistent", std::nullopt},
        {"/nonexistent::", std::nullopt},
        {".:bin", std::nullopt},
        {"/nonexistent:" + home.Path("work"), home.Path("work") + "/soffice"},
    };
    for (const auto& c : cases) {
        home.Set("PATH", c.path);
        EXPECT_EQ(FindSoffice(), c.found) << c.path;
    }
    std::filesystem::current_path(saved);
}

}  // namespace
}  // namespace office
