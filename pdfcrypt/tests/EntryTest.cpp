// EncryptPDFFile and the pdfcrypt program on real files: in-place rewriting, refusals and
// write failures.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "PasswordInput.h"
#include "PdfBuilder.h"
#include "TestSupport.h"
#include "pdfcrypt/EncryptPDFFile.h"

namespace pdfcrypt {
namespace {

using test::FolderEntries;
using test::PdfBuilder;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

std::string SamplePdf() {
    return PdfBuilder::TextPage("Entry test", "Entry").Build();
}

std::string Program() {
    const char* folder = std::getenv("SCRIVOLA_BIN_DIR");
    return std::string(folder ? folder : ".") + "/pdfcrypt";
}

TEST(EntryTest, InPlaceTwiceSecondCallLeavesTheFileAlone) {
    TempDir dir;
    const std::string path = dir.File("doc.pdf");
    WriteBytes(path, SamplePdf());
    ASSERT_EQ(EncryptPDFFile(path.c_str(), path.c_str(), 128, 4, "owner", "user"), 1);
    const std::string first = ReadBytes(path);
    EXPECT_NE(first.find("/Encrypt"), std::string::npos);
    EXPECT_EQ(EncryptPDFFile(path.c_str(), path.c_str(), 40, 60, "o", ""), 0);
    EXPECT_EQ(ReadBytes(path), first);
    EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"doc.pdf"});
}

TEST(EntryTest, RefusedFilesWriteNothing) {
    TempDir dir;
    WriteBytes(dir.File("text.pdf"), "plain text, not a PDF\n");
    WriteBytes(dir.File("encrypted.pdf"),
               PdfBuilder::TextPage("x", "y").TrailerKeys("/Root 1 0 R /Encrypt 6 0 R").Build());
    WriteBytes(dir.File("empty.pdf"), "");
    std::filesystem::create_directory(dir.File("folder.pdf"));
    for (const std::string input :
         {"text.pdf", "encrypted.pdf", "empty.pdf", "missing.pdf", "folder.pdf"}) {
        const std::string out = dir.File("out-" + input);
        EXPECT_EQ(EncryptPDFFile(dir.File(input).c_str(), out.c_str(), 128, 0, "", ""), 0) << input;
        EXPECT_FALSE(std::filesystem::exists(out)) << input;
    }
    EXPECT_EQ(FolderEntries(dir.Path()),
              (std::vector<std::string>{"empty.pdf", "encrypted.pdf", "folder.pdf", "text.pdf"}));
    EXPECT_EQ(EncryptPDFFile(nullptr, "x", 128, 0, "", ""), 0);
}

TEST(EntryTest, OutputThatCannotBeWrittenLeavesEverythingAsItWas) {
    TempDir dir;
    const std::string input = dir.File("doc.pdf");
    WriteBytes(input, SamplePdf());
    const std::string missingFolder = dir.File("no/such/folder/out.pdf");
    EXPECT_EQ(EncryptPDFFile(input.c_str(), missingFolder.c_str(), 128, 0, "", ""), 0);
    // A folder in the way of the output.
    std::filesystem::create_directory(dir.File("taken"));
    EXPECT_EQ(EncryptPDFFile(input.c_str(), dir.File("taken").c_str(), 128, 0, "", ""), 0);
    EXPECT_EQ(ReadBytes(input), SamplePdf());
    EXPECT_EQ(FolderEntries(dir.Path()), (std::vector<std::string>{"doc.pdf", "taken"}));
}

TEST(EntryTest, WriteFailureDuringAnInPlaceRewriteKeepsTheOriginal) {
    TempDir dir;
    const std::string path = dir.File("big.pdf");
    // Large enough that the encrypted copy crosses the file size limit set below.
    PdfBuilder builder = PdfBuilder::TextPage("Big", "Big");
    builder.Object(7, "(" + std::string(20000, 'x') + ")");
    const std::string original = builder.Build();
    WriteBytes(path, original);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{static_cast<rlim_t>(original.size()),
                           static_cast<rlim_t>(original.size())};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::_exit(EncryptPDFFile(path.c_str(), path.c_str(), 128, 0, "", "") == 0 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the failed write was reported as success";
    EXPECT_EQ(ReadBytes(path), original);
    EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"big.pdf"});
}

TEST(EntryTest, ReplacedFileKeepsItsPermissionsAndLinksAreFollowed) {
    TempDir dir;
    const std::string target = dir.File("target.pdf");
    const std::string link = dir.File("link.pdf");
    WriteBytes(target, SamplePdf());
    ::chmod(target.c_str(), 0640);
    std::filesystem::create_symlink("target.pdf", link);
    ASSERT_EQ(EncryptPDFFile(link.c_str(), link.c_str(), 40, 0, "", ""), 1);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_NE(ReadBytes(target).find("/Encrypt"), std::string::npos);
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
}

TEST(EntryTest, ReadOnlyFileIsNotReplaced) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "file permissions do not bind the superuser";
    }
    TempDir dir;
    const std::string path = dir.File("locked.pdf");
    WriteBytes(path, SamplePdf());
    ::chmod(path.c_str(), 0444);
    EXPECT_EQ(EncryptPDFFile(path.c_str(), path.c_str(), 128, 0, "", ""), 0);
    EXPECT_EQ(ReadBytes(path), SamplePdf());
    EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"locked.pdf"});
}

TEST(EntryTest, CommandLineProgram) {
    TempDir dir;
    const std::string in = dir.File("in.pdf");
    const std::string out = dir.File("out.pdf");
    WriteBytes(in, SamplePdf());

    const auto usage = test::RunCommand({Program(), in, out, "128"});
    EXPECT_EQ(usage.exitCode, 1);
    EXPECT_NE(usage.output.find("usage: pdfcrypt IN OUT KEYBITS PERMBITS OWNER USER"),
              std::string::npos);
    EXPECT_EQ(test::RunCommand({Program(), in, out, "lots", "0", "", ""}).exitCode, 1);
    EXPECT_FALSE(std::filesystem::exists(out));

    const auto ok = test::RunCommand({Program(), in, out, "128", "60", "secret", ""});
    EXPECT_EQ(ok.exitCode, 0) << ok.output;
    EXPECT_TRUE(ok.output.empty()) << ok.output;
    ASSERT_EQ(EncryptPDFFile(in.c_str(), dir.File("direct.pdf").c_str(), 128, 60, "secret", ""), 1);
    EXPECT_EQ(ReadBytes(out), ReadBytes(dir.File("direct.pdf")));

    EXPECT_EQ(test::RunCommand({Program(), out, out, "128", "60", "secret", ""}).exitCode, 1);
}

TEST(EntryTest, PasswordsFromStandardInputStayOutOfTheArguments) {
    TempDir dir;
    const std::string in = dir.File("in.pdf");
    const std::string out = dir.File("out.pdf");
    const std::string direct = dir.File("direct.pdf");
    WriteBytes(in, SamplePdf());
    ASSERT_EQ(EncryptPDFFile(in.c_str(), direct.c_str(), 128, 60, "top secret", "user"), 1);

    const auto ok = test::RunCommand({Program(), "--passwords-from-stdin", in, out, "128", "60"},
                                     "top secret\r\nuser\n");
    EXPECT_EQ(ok.exitCode, 0) << ok.output;
    EXPECT_EQ(ReadBytes(out), ReadBytes(direct));

    std::filesystem::remove(out);
    const auto oneLine =
        test::RunCommand({Program(), "--passwords-from-stdin", in, out, "128", "60"}, "owner\n");
    EXPECT_EQ(oneLine.exitCode, 1);
    EXPECT_NE(oneLine.output.find("standard input"), std::string::npos) << oneLine.output;
    EXPECT_FALSE(std::filesystem::exists(out));
    const auto positional = test::RunCommand(
        {Program(), "--passwords-from-stdin", in, out, "128", "60", "owner", "user"}, "o\nu\n");
    EXPECT_EQ(positional.exitCode, 1);
    EXPECT_NE(positional.output.find("--passwords-from-stdin"), std::string::npos);
}

TEST(EntryTest, PasswordLines) {
    const struct {
        std::string input;
        std::optional<std::pair<std::string, std::string>> passwords;
    } cases[] = {
        {"owner\nuser\n", std::pair{"owner", "user"}},
        {"owner\r\nuser", std::pair{"owner", "user"}},
        {"\n\n", std::pair{"", ""}},
        {"\nuser\n", std::pair{"", "user"}},
        {"with space \n tab\t\n", std::pair{"with space ", " tab\t"}},
        {"owner\n", std::nullopt},
        {"", std::nullopt},
        {"a\nb\nc\n", std::nullopt},
        {std::string("a\0b\nuser\n", 9), std::nullopt},
    };
    for (const auto& c : cases) {
        const auto parsed = ParsePasswordLines(c.input);
        ASSERT_EQ(parsed.has_value(), c.passwords.has_value()) << c.input;
        if (parsed) {
            EXPECT_EQ(parsed->owner, c.passwords->first);
            EXPECT_EQ(parsed->user, c.passwords->second);
        }
    }
}

// The temporary file beside a 250-byte name must not need a longer name than the folder allows.
TEST(EntryTest, OutputWithTheLongestNamesIsWritten) {
    TempDir dir;
    const std::string in = dir.File("in.pdf");
    WriteBytes(in, SamplePdf());
    const std::string name = std::string(246, 'n') + ".pdf";
    const std::string out = dir.File(name);
    ASSERT_EQ(EncryptPDFFile(in.c_str(), out.c_str(), 128, 4, "o", "u"), 1);
    EXPECT_NE(ReadBytes(out).find("/Encrypt"), std::string::npos);
    WriteBytes(out, SamplePdf());
    ASSERT_EQ(EncryptPDFFile(out.c_str(), out.c_str(), 40, 4, "o", "u"), 1);
    EXPECT_EQ((FolderEntries(dir.Path())), (std::vector<std::string>{"in.pdf", name}));
}

TEST(EntryTest, RefusalReasonGoesToThePrivateDebugLog) {
    TempDir dir;
    const std::string in = dir.File("in.pdf");
    const std::string damaged = PdfBuilder::TextPage("Entry test", "Entry")
                                    .Object(4, test::StreamBody("/Length 99999", "BT ET"))
                                    .Build();
    WriteBytes(in, damaged);
    const std::string log = dir.File("debug.log");
    const std::string other = dir.File("other.txt");
    WriteBytes(other, "");
    std::filesystem::create_symlink("other.txt", dir.File("link.log"));

    ::setenv("SCRIVOLA_DEBUG_LOG", dir.File("link.log").c_str(), 1);
    EXPECT_EQ(EncryptPDFFile(in.c_str(), in.c_str(), 128, 4, "o", "u"), 0);
    EXPECT_EQ(ReadBytes(other), "") << "the log followed a link";
    ::setenv("SCRIVOLA_DEBUG_LOG", log.c_str(), 1);
    EXPECT_EQ(EncryptPDFFile(in.c_str(), in.c_str(), 128, 4, "o", "u"), 0);
    EXPECT_EQ(EncryptPDFFile(dir.File("missing.pdf").c_str(), in.c_str(), 128, 4, "o", "u"), 0);
    ::unsetenv("SCRIVOLA_DEBUG_LOG");

    EXPECT_EQ(ReadBytes(in), damaged);
    const std::string lines = ReadBytes(log);
    const std::size_t data = damaged.find("stream\n") + 7;
    EXPECT_EQ(lines.substr(0, lines.find('\n')),
              "pdfcrypt: " + in + ": stream: object 4: offset " + std::to_string(data) +
                  ": /Length 99999 runs past the end of the file");
    EXPECT_NE(lines.find("pdfcrypt: " + dir.File("missing.pdf") + ": open: "), std::string::npos)
        << lines;
    struct stat info {};
    ASSERT_EQ(::stat(log.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

}  // namespace
}  // namespace pdfcrypt
