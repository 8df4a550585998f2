// Make PDF with the real console converter, office servers and printer.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "RunnerTestSupport.h"
#include "runner/ConversionRunner.h"
#include "settings/SettingsStore.h"
#include "testing/PrivateHome.h"

namespace {

namespace fs = std::filesystem;

std::string Program(const char* name) {
    const char* binDir = std::getenv("SCRIVOLA_BIN_DIR");
    return std::string(binDir != nullptr ? binDir : ".") + "/" + name;
}

TEST(RealConverter, MakePdfConvertsEncryptsAndNamesATextDocument) {
    if (RunTool({"sh", "-c", "command -v soffice"}).exitCode != 0) {
        GTEST_SKIP() << "soffice is not installed";
    }
    for (const char* program : {"scrivola", "folivoprint", "tools.cfg"}) {
        if (!fs::exists(Program(program))) {
            GTEST_SKIP() << program << " is not built";
        }
    }
    GuiApplication();
    testsupport::PrivateHome home;
    ASSERT_EQ(RunTool({Program("folivoprint"), "--install"}).exitCode, 0);

    const fs::path document = home.Files() / "my docs" / "notes.txt";
    Touch(document, "HELLO FROM THE RUNNER\n");
    const fs::path out = home.Files() / "out";
    fs::create_directories(out);
    auto profile = scrivola_win::SettingsStore::ApplicationProfile();
    profile.WriteInt("SaveMode", "m_iMakePDFMode", 1);
    profile.WriteInt("SaveMode", "m_iSaveMode", 2);
    profile.WriteString("SaveMode", "m_szFilenameORPath", out.string() + "/");
    profile.WriteInt("BaseSettingDlg", "m_bCheckView", 0);
    profile.WriteString("SetPDFInfo", "m_szTitle", "Runner \"quoted\" title");
    profile.WriteInt("EncryptPDF", "m_bCheckEncrypt", 1);
    profile.WriteString("EncryptPDF", "UserPwd", "U");

    RecordingHost host;
    host.converter = Program("scrivola");
    host.rows.push_back({document.filename().string(), document.parent_path().string() + "/"});
    runner::ConversionRunner runner(host);
    runner.MakePdfCommand();

    const fs::path pdf = out / "notes.pdf";
    ASSERT_TRUE(fs::exists(pdf));
    EXPECT_EQ(RunTool({"qpdf", "--check", "--password=U", pdf.string()}).exitCode, 0);
    EXPECT_NE(RunTool({"qpdf", "--check", pdf.string()}).exitCode, 0);
    const ToolResult text = RunTool({"pdftotext", "-upw", "U", pdf.string(), "-"});
    EXPECT_NE(text.output.find("HELLO FROM THE RUNNER"), std::string::npos) << text.output;
    const ToolResult info = RunTool({"pdfinfo", "-upw", "U", pdf.string()});
    EXPECT_NE(info.output.find("Runner \"quoted\" title"), std::string::npos) << info.output;
    EXPECT_EQ(host.buttons, (std::vector<bool>{false, true}));
    EXPECT_EQ(host.progress.back(), 0);
}

}  // namespace
