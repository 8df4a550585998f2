// Whole conversions: ConvertDocument with the real servers, LibreOffice and
// folivoprint, checked with pdfinfo, pdftotext and tiffinfo.
#include <dirent.h>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>

#include "drivers/ConvertDocument.h"
#include "office/AutomationServers.h"
#include "platform/Automation.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Process.h"
#include "testing/PrivateHome.h"

namespace scrivola {
namespace {

struct ToolRun {
    int status = -1;
    std::string output;
};

ToolRun RunTool(const std::vector<std::string>& arguments) {
    platform::ProcessOptions options;
    options.captureOutput = true;
    auto process = platform::Process::StartArguments(arguments, options);
    ToolRun run;
    if (process) {
        run.output = process->ReadAll();
        run.status = process->Wait();
    }
    return run;
}

bool ProgramInPath(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::istringstream folders(path ? path : "");
    for (std::string folder; std::getline(folders, folder, ':');) {
        if (::access((folder + "/" + name).c_str(), X_OK) == 0) {
            return true;
        }
    }
    return false;
}

int PdfPages(const std::string& pdf) {
    const ToolRun run = RunTool({"pdfinfo", pdf});
    std::smatch match;
    static const std::regex pages(R"(Pages:\s+(\d+))");
    return run.status == 0 && std::regex_search(run.output, match, pages) ? std::stoi(match[1])
                                                                          : -1;
}

std::string PdfText(const std::string& pdf) {
    return RunTool({"pdftotext", pdf, "-"}).output;
}

// Processes that still use a LibreOffice profile below `folder`.
std::vector<std::string> OfficeProcessesUsing(const std::string& folder) {
    std::vector<std::string> found;
    DIR* proc = ::opendir("/proc");
    for (dirent* entry; proc && (entry = ::readdir(proc));) {
        std::ifstream cmdline(std::string("/proc/") + entry->d_name + "/cmdline");
        std::string text((std::istreambuf_iterator<char>(cmdline)),
                         std::istreambuf_iterator<char>());
        if (text.find("UserInstallation=") != std::string::npos &&
            text.find(folder) != std::string::npos) {
            found.push_back(entry->d_name);
        }
    }
    if (proc) {
        ::closedir(proc);
    }
    return found;
}

std::vector<std::string> Entries(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    for (dirent* entry; dir && (entry = ::readdir(dir));) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    }
    if (dir) {
        ::closedir(dir);
    }
    return names;
}

void CopyFile(const std::string& from, const std::string& to) {
    std::ifstream in(from, std::ios::binary);
    std::ofstream(to, std::ios::binary) << in.rdbuf();
}

class ConversionEndToEndTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!ProgramInPath("soffice")) {
            GTEST_SKIP() << "LibreOffice (soffice) is not installed";
        }
        const char* bin = std::getenv("SCRIVOLA_BIN_DIR");
        ASSERT_NE(bin, nullptr);
        ASSERT_EQ(RunTool({std::string(bin) + "/folivoprint", "--install"}).status, 0);
        platform::automation::Initialize();
        office::RegisterAutomationServers();
        platform::CreateDirectories(folder.Path("out"));
    }
    void TearDown() override {
        if (platform::automation::IsInitialized()) {
            platform::automation::Uninitialize();
        }
        // Nothing of LibreOffice or of the servers outlives a conversion.
        EXPECT_EQ(OfficeProcessesUsing(folder.Path("tmp")), std::vector<std::string>{});
        EXPECT_EQ(Entries(folder.Path("tmp")), std::vector<std::string>{});
    }

    std::string Example(const std::string& name) {
        const std::string path = std::string(SCRIVOLA_EXAMPLES_DIR) + "/" + name;
        if (!platform::PathExists(path)) {
            return {};
        }
        return path;
    }

    // A three-page PDF made here, so its pages and text are known.
    std::string ThreePagePdf() {
        const std::string html = folder.Path("pages.html");
        std::ofstream(html) << "<html><body><p>First page</p>"
                               "<p style=\"page-break-before: always\">Second page</p>"
                               "<p style=\"page-break-before: always\">Third page</p>"
                               "</body></html>";
        const std::string profile = "-env:UserInstallation=file://" + folder.Path("tmp/profile");
        RunTool({"soffice", profile, "--headless", "--norestore", "--convert-to",
                 "pdf:writer_pdf_Export", "--infilter=HTML (StarWriter)", "--outdir",
                 folder.Path("made"), html});
        platform::RemoveTree(folder.Path("tmp/profile"));
        const std::string pdf = folder.Path("made/pages.pdf");
        EXPECT_EQ(PdfPages(pdf), 3);
        return pdf;
    }

    testsupport::PrivateHome folder;
};

TEST_F(ConversionEndToEndTest, EachKindOfDocumentBecomesAPdfWithItsPagesAndText) {
    const struct {
        const char* example;
        const char* text;
        int pages;  // 0: at least one
    } cases[] = {
        {"letter.doc", "Scrivola example letter", 0}, {"memo.rtf", "Scrivola example memo", 0},
        {"notes.txt", "Scrivola example notes", 0},   {"table.xls", "Scrivola example table", 0},
        {"slides.ppt", "Scrivola example slides", 3}, {"leaflet.pdf", "Scrivola example PDF", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.example);
        const std::string input = Example(c.example);
        if (input.empty()) {
            ADD_FAILURE() << "examples/" << c.example << " is missing";
            continue;
        }
        const std::string output = folder.Path(std::string("out/") + c.example + ".pdf");
        ASSERT_EQ(ConvertDocument(input, output), 1);
        const int pages = PdfPages(output);
        if (c.pages > 0) {
            EXPECT_EQ(pages, c.pages);
        } else {
            EXPECT_GE(pages, 1);
        }
        EXPECT_NE(PdfText(output).find(c.text), std::string::npos);
    }
}

TEST_F(ConversionEndToEndTest, PdfIsReprintedPageForPageAndRasterOutputsHoldEveryPage) {
    const std::string pdf = ThreePagePdf();
    const std::string reprinted = folder.Path("out/re printed.pdf");
    ASSERT_EQ(ConvertDocument(pdf, reprinted), 1);
    EXPECT_EQ(PdfPages(reprinted), 3);
    EXPECT_NE(PdfText(reprinted).find("Third page"), std::string::npos);

    const std::string tiff = folder.Path("out/pages.tif");
    ASSERT_EQ(ConvertDocument(pdf, tiff), 1);
    const ToolRun info = RunTool({"tiffinfo", tiff});
    std::size_t directories = 0;
    for (std::size_t at = 0; (at = info.output.find("TIFF Directory", at)) != std::string::npos;
         ++at) {
        ++directories;
    }
    EXPECT_EQ(directories, 3u) << info.output;

    const std::string png = folder.Path("out/page.png");
    ASSERT_EQ(ConvertDocument(pdf, png), 1);
    for (const char* name : {"out/page.png", "out/page_2.png", "out/page_3.png"}) {
        std::ifstream image(folder.Path(name), std::ios::binary);
        char signature[4] = {};
        image.read(signature, 4);
        EXPECT_EQ(std::string(signature, 4), "\x89PNG") << name;
    }
    EXPECT_FALSE(platform::PathExists(folder.Path("out/page_4.png")));
}

TEST_F(ConversionEndToEndTest, DiagramSamplesAreConvertedWhenPresent) {
    const std::string samples = "/work/shared/samples";
    std::vector<std::string> drawings;
    for (const std::string& name : Entries(samples)) {
        if (name.size() > 4 && platform::EqualsIgnoreCase(name.substr(name.size() - 4), ".vsd")) {
            drawings.push_back(samples + "/" + name);
        }
    }
    if (drawings.empty()) {
        GTEST_SKIP() << "no .vsd samples in " << samples;
    }
    for (const std::string& drawing : drawings) {
        SCOPED_TRACE(drawing);
        const std::string output = folder.Path("out/" + platform::SplitPath(drawing).name + ".pdf");
        ASSERT_EQ(ConvertDocument(drawing, output), 1);
        EXPECT_GE(PdfPages(output), 1);
    }
}

TEST_F(ConversionEndToEndTest, BadInputFailsCleanlyOrConvertsCorrectly) {
    const std::string notes = Example("notes.txt");
    ASSERT_FALSE(notes.empty());
    const std::string oddName = folder.Path("my 'odd' \"notes\" \xC3\xA9 x.txt");
    CopyFile(notes, oddName);
    const std::string zero = folder.Path("zero.doc");
    std::ofstream(zero).close();
    const std::string corrupt = folder.Path("corrupt.xls");
    {
        std::ofstream out(corrupt, std::ios::binary);
        // An OLE compound file signature followed by garbage.
        out << std::string("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
        for (int i = 0; i < 4096; ++i) {
            out.put(static_cast<char>((i * 7919) & 0xFF));
        }
    }
    const std::string folderNamedLikeADocument = folder.Path("x.doc");
    platform::CreateDirectories(folderNamedLikeADocument);

    // Odd names convert like any other.
    const std::string oddOutput = folder.Path("out/odd \"name\" \xC3\xA9.pdf");
    ASSERT_EQ(ConvertDocument(oddName, oddOutput), 1);
    EXPECT_NE(PdfText(oddOutput).find("Scrivola example notes"), std::string::npos);

    for (const std::string& input : {zero, corrupt, folderNamedLikeADocument}) {
        SCOPED_TRACE(input);
        const std::string output = folder.Path("out/bad.pdf");
        const int result = ConvertDocument(input, output);
        if (result == 1) {
            EXPECT_GE(PdfPages(output), 1);  // a result must be a real PDF
        } else {
            EXPECT_FALSE(platform::PathExists(output));
        }
        platform::DeleteFile(output);
    }
}

// Random bytes under a document's name are no document: LibreOffice would
// import them as a page of garbage text.
TEST_F(ConversionEndToEndTest, RandomBytesNamedLikeADocumentFail) {
    const std::string random = folder.Path("random.doc");
    {
        std::ofstream out(random, std::ios::binary);
        std::uint32_t state = 12345;
        for (int i = 0; i < 8192; ++i) {
            state = state * 1103515245u + 12345u;
            out.put(static_cast<char>(state >> 24));
        }
    }
    const std::string output = folder.Path("out/random.pdf");
    EXPECT_EQ(ConvertDocument(random, output), 0);
    EXPECT_FALSE(platform::PathExists(output));
}

TEST_F(ConversionEndToEndTest, MissingOutputFolderFailsWithoutWaiting) {
    const std::string notes = Example("notes.txt");
    ASSERT_FALSE(notes.empty());
    EXPECT_EQ(ConvertDocument(notes, folder.Path("no such folder/notes.pdf")), 0);
}

}  // namespace
}  // namespace scrivola
