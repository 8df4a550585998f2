// PDF files written by LibreOffice, encrypted by the engine and read back by poppler and qpdf.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "TestSupport.h"
#include "pdfcrypt/EncryptPDFFile.h"

namespace pdfcrypt {
namespace {

using test::RunCommand;
using test::TempDir;

class LibreOfficeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* tool : {"soffice", "qpdf", "pdftotext", "pdfinfo"}) {
            if (!test::HaveProgram(tool)) {
                GTEST_SKIP() << tool << " is not installed";
            }
        }
    }

    // LibreOffice writes its profile and caches under HOME: the folder's
    // private home keeps them out of the user's.
    TempDir m_dir;
};

TEST_F(LibreOfficeTest, ConvertedTextEncryptsAndReadsBack) {
    const std::string source = m_dir.File("letter.txt");
    test::WriteBytes(source, "Dear reader,\nthis letter was converted and then encrypted.\n");
    const auto converted = RunCommand(
        {"soffice", "-env:UserInstallation=file://" + m_dir.File("profile"), "--headless",
         "--convert-to", "pdf", "--outdir", m_dir.Path().string(), source});
    const std::string pdf = m_dir.File("letter.pdf");
    ASSERT_TRUE(std::filesystem::exists(pdf)) << converted.output;
    const std::string plainText = RunCommand({"pdftotext", pdf, "-"}).output;
    const std::string plainInfo = RunCommand({"pdfinfo", pdf}).output;
    const std::string pages = plainInfo.substr(plainInfo.find("Pages:"), 20);
    ASSERT_NE(plainText.find("this letter was converted"), std::string::npos) << plainText;

    const struct {
        int keyBits;
        std::string owner, user;
    } cases[] = {{40, "owner", "user"}, {128, "owner", "user"}, {128, "owner", ""}, {40, "", ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.keyBits) + " bits, user '" + c.user + "'");
        const std::string copy = m_dir.File("copy.pdf");
        std::filesystem::copy_file(pdf, copy, std::filesystem::copy_options::overwrite_existing);
        ASSERT_EQ(EncryptPDFFile(copy.c_str(), copy.c_str(), c.keyBits, 4, c.owner.c_str(),
                                 c.user.c_str()),
                  1);
        const auto check = RunCommand({"qpdf", "--check", "--password=" + c.user, copy});
        EXPECT_EQ(check.exitCode, 0) << check.output;
        std::vector<std::string> pdftotext = {"pdftotext", copy, "-"};
        if (!c.user.empty()) {
            pdftotext.insert(pdftotext.begin() + 1, {"-upw", c.user});
        }
        EXPECT_EQ(RunCommand(pdftotext).output, plainText);
        if (!c.user.empty()) {
            EXPECT_NE(RunCommand({"pdftotext", copy, "-"}).exitCode, 0);
        }
        const std::string decrypted = m_dir.File("decrypted.pdf");
        EXPECT_EQ(
            RunCommand({"qpdf", "--decrypt", "--password=" + c.user, copy, decrypted}).exitCode, 0);
        EXPECT_EQ(RunCommand({"pdftotext", decrypted, "-"}).output, plainText);
        std::vector<std::string> pdfinfo = {"pdfinfo", copy};
        if (!c.user.empty()) {
            pdfinfo.insert(pdfinfo.begin() + 1, {"-upw", c.user});
        }
        const std::string info = RunCommand(pdfinfo).output;
        EXPECT_NE(info.find(pages), std::string::npos) << info;
        EXPECT_NE(info.find("Encrypted:       yes (print:yes copy:no change:no addNotes:no "
                            "algorithm:RC4)"),
                  std::string::npos)
            << info;
    }
}

}  // namespace
}  // namespace pdfcrypt
