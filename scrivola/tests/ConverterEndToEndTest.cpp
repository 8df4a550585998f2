// The converter with the real office servers, printer and toolkit. Each
// test has its own user (configuration, printer, temporary folder).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "testing/PrivateHome.h"

namespace scrivola {
namespace {

using testsupport::PrivateHome;
using testsupport::ReadFile;

struct RunResult {
    int exitStatus = -1;
    std::string output;
};

RunResult RunCommand(const std::vector<std::string>& command) {
    platform::ProcessOptions options;
    options.captureOutput = true;
    auto child = platform::Process::StartArguments(command, options);
    if (!child) {
        ADD_FAILURE() << "cannot start " << command.front();
        return {};
    }
    RunResult result;
    result.output = child->ReadAll();
    result.exitStatus = child->Wait();
    return result;
}

std::string Program(const char* name) {
    const char* binDir = std::getenv("SCRIVOLA_BIN_DIR");
    return std::string(binDir ? binDir : ".") + "/" + name;
}

bool OfficeSuiteInstalled() {
    return RunCommand({"sh", "-c", "command -v soffice"}).exitStatus == 0;
}

int PageCount(const std::string& pdf) {
    const std::string info = RunCommand({"pdfinfo", pdf}).output;
    const std::size_t at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + 6);
}

std::string InfoField(const std::string& pdf, const std::string& field) {
    const std::string info = "\n" + RunCommand({"pdfinfo", "-enc", "UTF-8", pdf}).output;
    const std::size_t at = info.find("\n" + field + ":");
    if (at == std::string::npos) {
        return "<missing>";
    }
    const std::size_t start = info.find_first_not_of(' ', at + field.size() + 2);
    return info.substr(start, info.find('\n', start) - start);
}

// The words in the order pdftotext finds them; "" when one is missing.
std::vector<std::string> WordsInOrder(const std::string& pdf,
                                      const std::vector<std::string>& words) {
    const std::string text = RunCommand({"pdftotext", pdf, "-"}).output;
    std::vector<std::pair<std::size_t, std::string>> found;
    for (const std::string& word : words) {
        const std::size_t at = text.find(word);
        if (at == std::string::npos) {
            return {};
        }
        found.emplace_back(at, word);
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> ordered;
    for (const auto& [at, word] : found) {
        ordered.push_back(word);
    }
    return ordered;
}

class ConverterEndToEndTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!OfficeSuiteInstalled()) {
            GTEST_SKIP() << "soffice is not installed";
        }
        ASSERT_EQ(RunCommand({Program("folivoprint"), "--install"}).exitStatus, 0);
        m_docs = m_folder.MakeFolder("my docs");
    }

    std::string Document(const std::string& name, const std::string& text) {
        return m_folder.Write("my docs/" + name, text + "\n");
    }

    RunResult Scrivola(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), {"setsid", "--wait", Program("scrivola")});
        return RunCommand(arguments);
    }

    void ExpectSoundPdf(const std::string& pdf) {
        EXPECT_EQ(RunCommand({"qpdf", "--check", pdf}).exitStatus, 0) << pdf;
    }

    void ExpectNoTemporaryLeftovers() {
        for (const auto& entry : std::filesystem::directory_iterator(m_folder / "tmp")) {
            EXPECT_EQ(entry.path().filename().string().rfind("scrivola-", 0), std::string::npos)
                << entry.path();
        }
    }

    PrivateHome m_folder;
    std::string m_docs;
};

TEST_F(ConverterEndToEndTest, CollisionModesOnAnExistingPdf) {
    const std::string base = m_docs + "/base.pdf";
    ASSERT_EQ(Scrivola({"-i", Document("original.txt", "ORIGINAL"), "-o", base}).exitStatus, 0);
    ASSERT_EQ(PageCount(base), 1);
    const std::string added = Document("added.txt", "ADDED");

    for (int mode = 0; mode <= 3; ++mode) {
        const std::string folder = m_folder.MakeFolder("mode" + std::to_string(mode));
        const std::string output = folder + "/a.pdf";
        std::filesystem::copy_file(base, output);
        const RunResult run = Scrivola({"-p", std::to_string(mode), "-i", added, "-o", output});
        EXPECT_EQ(run.exitStatus, 0) << mode;

        const std::string produced = mode == 3 ? folder + "/a000.pdf" : output;
        EXPECT_EQ(run.output, added + " ==> " + produced + ", result=1\n");
        ExpectSoundPdf(produced);
        using Words = std::vector<std::string>;
        switch (mode) {
            case 0:
                EXPECT_EQ(PageCount(output), 1);
                EXPECT_EQ(WordsInOrder(output, {"ADDED"}), Words{"ADDED"});
                EXPECT_EQ(WordsInOrder(output, {"ORIGINAL"}), Words{});
                break;
            case 1:
                EXPECT_EQ(PageCount(output), 2);
                EXPECT_EQ(WordsInOrder(output, {"ORIGINAL", "ADDED"}),
                          (Words{"ADDED", "ORIGINAL"}));
                break;
            case 2:
                EXPECT_EQ(PageCount(output), 2);
                EXPECT_EQ(WordsInOrder(output, {"ORIGINAL", "ADDED"}),
                          (Words{"ORIGINAL", "ADDED"}));
                break;
            case 3:
                EXPECT_EQ(ReadFile(output), ReadFile(base));
                EXPECT_EQ(PageCount(produced), 1);
                EXPECT_EQ(WordsInOrder(produced, {"ADDED"}), Words{"ADDED"});
                break;
        }
    }
    ExpectNoTemporaryLeftovers();
}

// The new pages cannot go into a damaged output: the job fails and says so,
// and the output stays as it was.
TEST_F(ConverterEndToEndTest, DamagedExistingOutputStaysAsItWasOnAppend) {
    const std::string output = m_folder.Write("not a pdf.pdf", "plain text, no pages");
    const std::string input = Document("more.txt", "MORE");
    const RunResult run = Scrivola({"-p", "2", "-i", input, "-o", output});
    EXPECT_NE(run.output.find(input + " ==> " + output + ", result=0\n"), std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("could not be merged"), std::string::npos) << run.output;
    EXPECT_NE(run.exitStatus, 0);
    EXPECT_EQ(ReadFile(output), "plain text, no pages");
    ExpectNoTemporaryLeftovers();
}

TEST_F(ConverterEndToEndTest, DocumentInformationWithQuotesAndNonAscii) {
    const std::string output = m_docs + "/r\xc3\xa9sum\xc3\xa9 \"final\".pdf";
    const RunResult run = Scrivola({"-t", "He said \"yes\" \\o/", "-a", "Zo\xc3\xab \xc3\x9cnal",
                                    "-j", "Budget 50% \\ 2026", "-k", "one, two", "-i",
                                    Document("info.txt", "INFO"), "-o", output});
    EXPECT_EQ(run.exitStatus, 0) << run.output;
    EXPECT_EQ(InfoField(output, "Title"), "He said \"yes\" \\o/");
    EXPECT_EQ(InfoField(output, "Author"), "Zo\xc3\xab \xc3\x9cnal");
    EXPECT_EQ(InfoField(output, "Subject"), "Budget 50% \\ 2026");
    EXPECT_EQ(InfoField(output, "Keywords"), "one, two");
    ExpectSoundPdf(output);
}

TEST_F(ConverterEndToEndTest, ListFileCombinesItsDocumentsIntoOnePdf) {
    const std::string list = m_folder.Write(
        "pictobind.ver", Document("1.txt", "ALPHA") + "\n" + Document("2.txt", "BRAVO") + "\r\n" +
                             Document("3.txt", "CHARLIE") + "\n");
    const std::vector<std::string> words = {"ALPHA", "BRAVO", "CHARLIE"};
    const std::vector<std::string> reversed = {"CHARLIE", "BRAVO", "ALPHA"};

    // Append into a new file, with the progress of three jobs.
    const std::string combined = m_folder / "combined.pdf";
    RunResult run = Scrivola({"-p", "2", "-i", list, "-o", combined});
    EXPECT_EQ(run.exitStatus, 0) << run.output;
    const std::string lines = run.output;
    EXPECT_LT(lines.find("Folivosoft Inc: 33\n"), lines.find("Folivosoft Inc: 66\n"));
    EXPECT_LT(lines.find("Folivosoft Inc: 66\n"), lines.find("Folivosoft Inc: 99\n"));
    EXPECT_NE(lines.find("3.txt ==> " + combined + ", result=1\n"), std::string::npos);
    EXPECT_EQ(PageCount(combined), 3);
    EXPECT_EQ(WordsInOrder(combined, words), words);
    ExpectSoundPdf(combined);

    // Overwrite starts the existing file afresh.
    const std::string overwritten = m_folder / "overwritten.pdf";
    std::filesystem::copy_file(combined, overwritten);
    run = Scrivola({"-p", "0", "-i", list, "-o", overwritten});
    EXPECT_EQ(PageCount(overwritten), 3);
    EXPECT_EQ(WordsInOrder(overwritten, words), words);

    // Rename leaves the existing file and combines into a free name.
    const std::string before = ReadFile(combined);
    run = Scrivola({"-p", "3", "-i", list, "-o", combined});
    EXPECT_EQ(ReadFile(combined), before);
    EXPECT_EQ(PageCount(m_folder / "combined000.pdf"), 3);
    EXPECT_EQ(WordsInOrder(m_folder / "combined000.pdf", words), words);

    // Insert puts each document in front: reverse list order.
    const std::string inserted = m_folder / "inserted.pdf";
    run = Scrivola({"-p", "1", "-i", list, "-o", inserted});
    EXPECT_EQ(PageCount(inserted), 3);
    EXPECT_EQ(WordsInOrder(inserted, words), reversed);
    ExpectSoundPdf(inserted);
    ExpectNoTemporaryLeftovers();
}

TEST_F(ConverterEndToEndTest, UnsupportedFormatIsReportedOnTheResultLine) {
    const std::string page = Document("page.htm", "<p>web</p>");
    const std::string output = m_folder / "page.pdf";
    const RunResult run = Scrivola({"-i", page, "-o", output});
    EXPECT_EQ(run.output, "Doesn't support this format at the moment!" + page + " ==> " + output +
                              ", result=0\n");
    EXPECT_NE(run.exitStatus, 0);
    EXPECT_FALSE(platform::PathExists(output));
}

// Today's formats, made at test time by LibreOffice from the examples, go to
// the driver of their family and come out with their text; an archive or a
// program in the same folder gives result 0 without any message.
TEST_F(ConverterEndToEndTest, TodaysFormatsOfEachFamilyConvert) {
    const std::filesystem::path source = std::getenv("SCRIVOLA_SOURCE_DIR");
    const std::string made = m_folder.MakeFolder("made");
    const std::string input = m_folder.MakeFolder("input");
    const struct {
        const char* example;
        const char* format;
        const char* text;
    } cases[] = {
        {"memo.rtf", "docx", "Scrivola example memo"},
        {"memo.rtf", "odt", "Scrivola example memo"},
        {"table.xls", "xlsx", "Scrivola example table"},
        {"table.xls", "ods", "Scrivola example table"},
        {"slides.ppt", "pptx", "Scrivola example slides"},
        {"slides.ppt", "odp", "Scrivola example slides"},
        {"leaflet.pdf", "odg", "Scrivola example PDF"},
    };
    for (const auto& c : cases) {
        const RunResult conversion =
            RunCommand({"soffice", "--headless",
                        "-env:UserInstallation=file://" + (m_folder / "lo-profile"), "--convert-to",
                        c.format, "--outdir", made, (source / "examples" / c.example).string()});
        ASSERT_EQ(conversion.exitStatus, 0) << conversion.output;
        // One name per format, so that every output has a name of its own.
        const std::string stem = std::filesystem::path(c.example).stem().string();
        std::filesystem::rename(made + "/" + stem + "." + c.format,
                                input + "/" + c.format + "." + c.format);
    }
    m_folder.Write("input/archive.zip", std::string("PK\x03\x04 not a document", 22));
    m_folder.Write("input/setup.exe", "MZ not a document");

    const std::string out = m_folder.MakeFolder("out");
    const RunResult run = Scrivola({"-i", input, "-o", out + "/*.pdf"});
    EXPECT_NE(run.exitStatus, 0) << "the archive and the program fail";
    EXPECT_EQ(run.output.find("Doesn't support"), std::string::npos) << run.output;
    for (const char* other : {"archive", "setup"}) {
        EXPECT_NE(run.output.find(input + "/" + other), std::string::npos) << run.output;
        EXPECT_FALSE(platform::PathExists(out + "/" + other + ".pdf"));
    }
    for (const auto& c : cases) {
        const std::string pdf = out + "/" + c.format + ".pdf";
        SCOPED_TRACE(pdf);
        EXPECT_NE(
            run.output.find(input + "/" + c.format + "." + c.format + " ==> " + pdf + ", result=1"),
            std::string::npos)
            << run.output;
        EXPECT_GE(PageCount(pdf), 1);
        EXPECT_EQ(WordsInOrder(pdf, {c.text}), std::vector<std::string>{c.text});
    }

    // The diagrams of the samples beside the repository, when they are there.
    std::error_code missing;
    for (const auto& entry :
         std::filesystem::directory_iterator(source / ".." / "shared" / "samples", missing)) {
        if (entry.path().extension() != ".vsdx") {
            continue;
        }
        SCOPED_TRACE(entry.path().string());
        const std::string pdf = out + "/" + entry.path().stem().string() + ".pdf";
        const RunResult one = Scrivola({"-i", entry.path().string(), "-o", pdf});
        EXPECT_EQ(one.exitStatus, 0) << one.output;
        EXPECT_GE(PageCount(pdf), 1);
    }
}

// A document whose bytes are of an older kind than its extension says still
// converts when LibreOffice reads it.
TEST_F(ConverterEndToEndTest, ADocumentNamedAfterANewerFormatConvertsWhenItCanBeRead) {
    const std::filesystem::path source = std::getenv("SCRIVOLA_SOURCE_DIR");
    const std::string renamed = m_folder / "my docs/letter.docx";
    std::filesystem::copy_file(source / "examples" / "letter.doc", renamed);
    const std::string pdf = m_folder / "letter.pdf";
    const RunResult run = Scrivola({"-i", renamed, "-o", pdf});
    EXPECT_EQ(run.exitStatus, 0) << run.output;
    EXPECT_EQ(WordsInOrder(pdf, {"Scrivola example letter"}),
              std::vector<std::string>{"Scrivola example letter"});
}

TEST_F(ConverterEndToEndTest, ViewingOpensTheConvertedFileOnly) {
    const std::string record = m_folder / "opened.txt";
    const std::string opener = m_folder.Write(
        "record-open.sh", "#!/bin/sh\nprintf '%s\\n' \"$1\" >> \"" + record + "\"\n");
    ::chmod(opener.c_str(), 0755);
    setenv("SCRIVOLA_OPEN_COMMAND", opener.c_str(), 1);

    const std::string output = m_folder / "viewed.pdf";
    Scrivola({"-V", "-i", Document("view.txt", "VIEW"), "-o", output});
    Scrivola({"-V", "-i", m_docs + "/missing.txt", "-o", m_folder / "missing.pdf"});
    unsetenv("SCRIVOLA_OPEN_COMMAND");
    EXPECT_EQ(ReadFile(record), output + "\n");
}

}  // namespace
}  // namespace scrivola
