// Files encrypted by the engine, checked by independent readers: qpdf, pdftotext and pdfinfo.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "CPDFSecurity.h"
#include "PdfBuilder.h"
#include "TestSupport.h"
#include "pdfcrypt/EncryptPDFFile.h"

namespace pdfcrypt {
namespace {

using test::PdfBuilder;
using test::RunCommand;
using test::TempDir;

struct Settings {
    int keyBits;
    int permissions;
    std::string owner;
    std::string user;
};

const Settings kSettings[] = {
    {40, 4, "owner", "user"}, {128, 60, "owner", "user"}, {128, 0, "", ""},
    {40, 44, "owner", ""},    {128, 16, "", "user"},
};

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string YesNo(bool allowed) {
    return allowed ? "yes" : "no";
}

// qpdf takes "--password=X", the poppler tools "-upw X"; no option for an empty password.
std::vector<std::string> WithPassword(std::vector<std::string> argv, const std::string& password) {
    if (password.empty()) {
        return argv;
    }
    if (argv[0] == "qpdf") {
        argv.insert(argv.begin() + 1, "--password=" + password);
    } else {
        argv.insert(argv.begin() + 1, {"-upw", password});
    }
    return argv;
}

// The whole line of a tool's report that starts with label.
std::string LineOf(const std::string& output, const std::string& label) {
    const std::size_t start = output.find(label);
    if (start == std::string::npos) {
        return "(no " + label + " line)";
    }
    return output.substr(start, output.find('\n', start) - start + 1);
}

class OracleTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* tool : {"qpdf", "pdftotext", "pdfinfo"}) {
            if (!test::HaveProgram(tool)) {
                GTEST_SKIP() << tool << " is not installed";
            }
        }
    }

    // Inputs: one written here, the same rewritten by qpdf in QDF form (stream lengths held by
    // separate objects), and a two-page file assembled and compressed by qpdf.
    std::vector<std::string> MakeInputs() {
        const std::string builder = m_dir.File("builder.pdf");
        test::WriteBytes(builder,
                         PdfBuilder::TextPage("Hello Scrivola", "Hello \\(World\\)").Build());
        test::WriteBytes(m_dir.File("second.pdf"),
                         PdfBuilder::TextPage("Second page", "Second").Version("1.3").Build());
        const std::string qdf = m_dir.File("qdf.pdf");
        const std::string merged = m_dir.File("merged.pdf");
        EXPECT_EQ(RunCommand({"qpdf", "--qdf", "--object-streams=disable", builder, qdf}).exitCode,
                  0);
        EXPECT_EQ(RunCommand({"qpdf", "--empty", "--object-streams=disable", "--pages", builder,
                              m_dir.File("second.pdf"), "--", merged})
                      .exitCode,
                  0);
        return {builder, qdf, merged};
    }

    TempDir m_dir;
};

TEST_F(OracleTest, EncryptedFilesOpenWithTheirPasswordsAndKeepTheirContent) {
    for (const std::string& input : MakeInputs()) {
        const auto plainText = RunCommand({"pdftotext", input, "-"});
        const auto plainInfo = RunCommand({"pdfinfo", input});
        ASSERT_EQ(plainText.exitCode, 0);
        const std::string pages = LineOf(plainInfo.output, "Pages:");
        // The file assembled by qpdf has no document information.
        const std::string title = LineOf(plainInfo.output, "Title:");
        EXPECT_EQ(title.starts_with("(no"), input.ends_with("merged.pdf")) << title;
        for (const Settings& s : kSettings) {
            SCOPED_TRACE(input + " at " + std::to_string(s.keyBits) + " bits, permissions " +
                         std::to_string(s.permissions) + ", owner '" + s.owner + "', user '" +
                         s.user + "'");
            const std::string out = m_dir.File("encrypted.pdf");
            ASSERT_EQ(EncryptPDFFile(input.c_str(), out.c_str(), s.keyBits, s.permissions,
                                     s.owner.c_str(), s.user.c_str()),
                      1);

            const auto check = RunCommand(WithPassword({"qpdf", "--check", out}, s.user));
            EXPECT_EQ(check.exitCode, 0) << check.output;
            EXPECT_NE(check.output.find("No syntax or stream encoding errors"), std::string::npos)
                << check.output;

            CPDFSecurity expected;
            expected.PrepareEncryption(s.keyBits == 128 ? 16 : 5,
                                       static_cast<std::uint32_t>(s.permissions) | 0xFFFFFFC0,
                                       s.owner, s.user);
            const auto shown = RunCommand(
                WithPassword({"qpdf", "--show-encryption", "--show-encryption-key", out}, s.user));
            EXPECT_NE(shown.output.find("Encryption key = " + Lower(test::Hex(expected.Key()))),
                      std::string::npos)
                << shown.output;
            EXPECT_NE(shown.output.find(s.keyBits == 128 ? "R = 3" : "R = 2"), std::string::npos);
            EXPECT_NE(shown.output.find("P = " + std::to_string(expected.P())), std::string::npos);
            if (!s.owner.empty()) {
                const auto owner =
                    RunCommand({"qpdf", "--show-encryption", "--password=" + s.owner, out});
                EXPECT_NE(owner.output.find("Supplied password is owner password"),
                          std::string::npos)
                    << owner.output;
            }

            const auto text = RunCommand(WithPassword({"pdftotext", out, "-"}, s.user));
            EXPECT_EQ(text.exitCode, 0) << text.output;
            EXPECT_EQ(text.output, plainText.output);
            const std::string decrypted = m_dir.File("decrypted.pdf");
            EXPECT_EQ(
                RunCommand({"qpdf", "--decrypt", "--password=" + s.user, out, decrypted}).exitCode,
                0);
            EXPECT_EQ(RunCommand({"pdftotext", decrypted, "-"}).output, plainText.output);

            const auto info = RunCommand(WithPassword({"pdfinfo", out}, s.user));
            EXPECT_NE(info.output.find(pages), std::string::npos) << info.output;
            if (!title.starts_with("(no")) {
                EXPECT_NE(info.output.find(title), std::string::npos) << info.output;
            }
            const std::string permissions =
                "Encrypted:       yes (print:" + YesNo(s.permissions & 4) +
                " copy:" + YesNo(s.permissions & 16) + " change:" + YesNo(s.permissions & 8) +
                " addNotes:" + YesNo(s.permissions & 32) + " algorithm:RC4)";
            EXPECT_NE(info.output.find(permissions), std::string::npos) << info.output;
        }
    }
}

// A one-page file whose page draws its content streams (objects 4 and on) in order.
PdfBuilder PageWithContents(const std::vector<std::string>& streams) {
    std::string contents;
    PdfBuilder builder;
    for (std::size_t i = 0; i < streams.size(); ++i) {
        const int number = 10 + static_cast<int>(i);
        contents += std::to_string(number) + " 0 R ";
        builder.Object(number, streams[i]);
    }
    builder.Object(1, "<< /Type /Catalog /Pages 2 0 R >>")
        .Object(2, "<< /Type /Pages /Kids [3 0 R] /Count 1 >>")
        .Object(3, "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Contents [" + contents +
                       "] /Resources << /Font << /F1 5 0 R >> >> >>")
        .Object(5, "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>");
    return builder;
}

std::string Content(const std::string& text, int y = 700) {
    return "BT /F1 24 Tf 72 " + std::to_string(y) + " Td (" + text + ") Tj ET";
}

std::string ContentStream(const std::string& text, const std::string& eol = "\n") {
    const std::string data = Content(text);
    return test::StreamBody("/Length " + std::to_string(data.size()), data, eol);
}

std::string Replaced(std::string file, const std::string& what, const std::string& with) {
    const std::size_t at = file.find(what);
    EXPECT_NE(at, std::string::npos) << what;
    return at == std::string::npos ? file : file.replace(at, what.size(), with);
}

std::string WithStartxref(std::string file, long long value) {
    const std::size_t at = file.rfind("startxref\n") + 10;
    return file.replace(at, file.find('\n', at) - at, std::to_string(value));
}

// The faults met in real files. Each is encrypted in place: either the result is 1 and the
// output shows what the input showed, or it is 0, the file is untouched and the debug channel
// says where reading stopped.
TEST_F(OracleTest, EveryFileIsEncryptedWhole_OrRefusedUntouched) {
    const std::string visible = Content("Visible text");
    // Base file for the update cases: object 11 draws a second line.
    const std::string twoStreams =
        PageWithContents({ContentStream("Visible text"), ContentStream("Second line")}).Build();
    const std::string freedBySection =
        PageWithContents({ContentStream("Visible text")})
            .Object(3,
                    "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Contents [10 0 R] "
                    "/Resources << /Font << /F1 5 0 R >> >> >>")
            .FreeRow(11, 1)
            .TrailerKeys("/Root 1 0 R")
            .BuildUpdateOf(twoStreams);
    std::string loopingPrev = PdfBuilder()
                                  .Object(3,
                                          "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] "
                                          "/Contents [10 0 R] /Resources << /Font << /F1 5 0 R "
                                          ">> >> >>")
                                  .TrailerKeys("/Root 1 0 R")
                                  .BuildUpdateOf(twoStreams);
    // The update's /Prev, then made to point at the update itself.
    const std::size_t prev = loopingPrev.rfind("/Prev ") + 6;
    loopingPrev.replace(prev, loopingPrev.find(' ', prev) - prev,
                        std::to_string(loopingPrev.rfind("xref\n")));
    const std::string sound = PageWithContents({ContentStream("Visible text")}).Build();
    const std::string soundXref = std::to_string(sound.rfind("xref\n"));
    const std::string shortData = Content("Visible te");

    const struct {
        std::string name;
        std::string file;
        std::string refusedAt;  // empty: encrypted; else the step that refuses it
    } cases[] = {
        {"two line ends before endstream",
         PageWithContents({ContentStream("Visible text", "\n\n")}).Build(), ""},
        {"data right before endstream",
         PageWithContents({ContentStream("Visible text", "")}).Build(), ""},
        {"CR LF CR LF before endstream",
         PageWithContents({ContentStream("Visible text", "\r\n\r\n")}).Build(), ""},
        {"update frees an object", freedBySection, ""},
        {"nested trailer dictionaries with strings and extra keys",
         PageWithContents({ContentStream("Visible text")})
             .TrailerKeys("/Root 1 0 R /Extra << /Nested << /Deep (a >> string) >> /S (x) >> "
                          "/Arr [ (y) << /Size 1 >> ] /Info 6 0 R")
             .Object(6, "<< /Title (Nested) >>")
             .Build(),
         ""},
        {"object 0 in use", Replaced(sound, "0000000000 65535 f", "0000000015 00000 n"), "objects"},
        {"offset a few bytes off", Replaced(sound, "0000000015 00000 n", "0000000012 00000 n"),
         "objects"},
        {"wrong /Length",
         PageWithContents(
             {test::StreamBody("/Length " + std::to_string(visible.size() - 5), visible)})
             .Build(),
         "stream"},
        {"/Prev loop", loopingPrev, "cross-reference"},
        {"table truncated",
         sound.substr(0, sound.rfind("xref\n") + 30) +
             "\ntrailer\n<< /Size 11 /Root 1 0 R >>\n"
             "startxref\n" +
             soundXref + "\n%%EOF\n",
         "cross-reference"},
        {"table missing", WithStartxref(sound, static_cast<long long>(sound.find("2 0 obj"))),
         "cross-reference"},
        {"stream cut short",
         PageWithContents(
             {test::StreamBody("/Length " + std::to_string(visible.size()), shortData)})
             .Build(),
         "stream"},
    };
    const std::string log = m_dir.File("debug.log");
    ::setenv("SCRIVOLA_DEBUG_LOG", log.c_str(), 1);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = m_dir.File("case.pdf");
        test::WriteBytes(path, c.file);
        const auto plainText = RunCommand({"pdftotext", path, "-"});
        if (c.refusedAt.empty()) {
            // A sound input, as the independent reader sees it.
            const auto input = RunCommand({"qpdf", "--check", path});
            EXPECT_EQ(input.exitCode, 0) << input.output;
        }
        const std::string pages = LineOf(RunCommand({"pdfinfo", path}).output, "Pages:");
        std::filesystem::remove(log);

        const int result = EncryptPDFFile(path.c_str(), path.c_str(), 128, 4, "owner", "user");
        if (!c.refusedAt.empty()) {
            EXPECT_EQ(result, 0);
            EXPECT_EQ(test::ReadBytes(path), c.file);
            const std::string reason = test::ReadBytes(log);
            EXPECT_TRUE(reason.starts_with("pdfcrypt: " + path + ": " + c.refusedAt)) << reason;
            EXPECT_NE(reason.find(": offset "), std::string::npos) << reason;
            continue;
        }
        ASSERT_EQ(result, 1) << test::ReadBytes(log);
        ASSERT_NE(plainText.output.find("Visible text"), std::string::npos) << plainText.output;
        const auto check = RunCommand({"qpdf", "--check", "--password=user", path});
        EXPECT_EQ(check.exitCode, 0) << check.output;
        const std::string decrypted = m_dir.File("decrypted.pdf");
        ASSERT_EQ(RunCommand({"qpdf", "--decrypt", "--password=user", path, decrypted}).exitCode,
                  0);
        EXPECT_EQ(RunCommand({"pdftotext", decrypted, "-"}).output, plainText.output);
        EXPECT_EQ(LineOf(RunCommand({"pdfinfo", decrypted}).output, "Pages:"), pages);
    }
    ::unsetenv("SCRIVOLA_DEBUG_LOG");
}

TEST_F(OracleTest, WrongPasswordDoesNotOpen) {
    const std::string input = m_dir.File("in.pdf");
    const std::string out = m_dir.File("out.pdf");
    test::WriteBytes(input, PdfBuilder::TextPage("Secret text", "Secret").Build());
    ASSERT_EQ(EncryptPDFFile(input.c_str(), out.c_str(), 128, 0, "owner", "user"), 1);
    EXPECT_NE(RunCommand({"pdftotext", out, "-"}).exitCode, 0);
    EXPECT_NE(RunCommand({"qpdf", "--check", "--password=wrong", out}).exitCode, 0);
}

}  // namespace
}  // namespace pdfcrypt
