// Files encrypted by the engine, checked by independent readers: qpdf, pdftotext and pdfinfo.
#include <gtest/gtest.h>

#include <algorithm>
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
