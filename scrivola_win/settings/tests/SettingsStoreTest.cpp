#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/Paths.h"
#include "platform/ProgramPath.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsStore.h"
#include "testing/PrivateHome.h"

namespace scrivola_win {
namespace {

std::string ReadFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const std::string& path, const std::string& text) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::ofstream(path) << text;
}

class WinSettingsStoreTest : public ::testing::Test {
  protected:
    testsupport::PrivateHome m_home;
};

TEST_F(WinSettingsStoreTest, StoresLiveInTheConfigFolder) {
    EXPECT_EQ(SettingsStore::SettingsFile().FilePath(),
              (m_home.ConfigDir() / "scrivola_win.ini").string());
    const std::string programName = platform::SplitPath(platform::RunningProgramPath()).name;
    EXPECT_EQ(SettingsStore::ApplicationProfile().FilePath(),
              (m_home.ConfigDir() / (programName + ".INI")).string());
}

TEST_F(WinSettingsStoreTest, MissingFilesGiveEveryDefault) {
    EXPECT_TRUE(ReadSetting(settings::kCheckView));
    EXPECT_EQ(ReadSetting(settings::kDpi), "default");
    EXPECT_EQ(ReadSetting(settings::kPageIndex), 7);
    EXPECT_EQ(ReadSetting(settings::kColorIndex), 2);
    EXPECT_FALSE(ReadSetting(settings::kPageOrientation));
    EXPECT_EQ(ReadSetting(settings::kEncryptionLevel), 40);
    EXPECT_EQ(ReadSetting(settings::kAddFilesInitialDir), "");
    EXPECT_EQ(ReadSetting(settings::kDirectoryNum), 0);
    EXPECT_FALSE(std::filesystem::exists(m_home.ConfigDir()));
}

TEST_F(WinSettingsStoreTest, WritesRoundTripAsDecimalText) {
    ASSERT_TRUE(WriteSetting(settings::kPageIndex, -12));
    ASSERT_TRUE(WriteSetting(settings::kCheckView, false));
    ASSERT_TRUE(WriteSetting(settings::kTitle, "Quarterly = report; \"draft\""));
    EXPECT_EQ(ReadSetting(settings::kPageIndex), -12);
    EXPECT_FALSE(ReadSetting(settings::kCheckView));
    EXPECT_EQ(ReadSetting(settings::kTitle), "Quarterly = report; \"draft\"");

    const std::string profile = ReadFile(SettingsStore::ApplicationProfile().FilePath());
    EXPECT_NE(profile.find("m_iPageIndex=-12"), std::string::npos) << profile;
    EXPECT_NE(profile.find("m_bCheckView=0"), std::string::npos) << profile;
    // Every key goes to its own store only.
    EXPECT_FALSE(std::filesystem::exists(SettingsStore::SettingsFile().FilePath()));
}

TEST_F(WinSettingsStoreTest, FlagsReadAnyNonZeroAsOn) {
    WriteFile(SettingsStore::ApplicationProfile().FilePath(),
              "[EncryptPDF]\nm_bNoPrint=5\nm_bNoCopy=0\n");
    EXPECT_TRUE(ReadSetting(settings::kNoPrint));
    EXPECT_FALSE(ReadSetting(settings::kNoCopy));
    ASSERT_TRUE(WriteSetting(settings::kNoCopy, true));
    EXPECT_NE(ReadFile(SettingsStore::ApplicationProfile().FilePath()).find("m_bNoCopy=1"),
              std::string::npos);
}

TEST_F(WinSettingsStoreTest, LongTextsAreCutToEachStoresCapacity) {
    const std::string longPath(300, 'p');
    const std::string longTitle(5000, 't');
    ASSERT_TRUE(WriteSetting(settings::kAddFilesInitialDir, longPath));
    ASSERT_TRUE(WriteSetting(settings::kTitle, longTitle));
    EXPECT_EQ(ReadSetting(settings::kAddFilesInitialDir), longPath.substr(0, 259));
    EXPECT_EQ(ReadSetting(settings::kTitle), longTitle.substr(0, 4095));
    // The whole value stays stored.
    EXPECT_EQ(SettingsStore::SettingsFile().ReadStoredString("Parameter", "InitialDir"), longPath);
}

TEST_F(WinSettingsStoreTest, NamesMatchInAnyCaseAndOtherLinesStay) {
    const std::string path = SettingsStore::SettingsFile().FilePath();
    WriteFile(path,
              "; kept comment\n"
              "[parameter]\n"
              "INITIALDIR=/srv/docs/\n"
              "Unrelated=value\n"
              "[ImageManage]\n"
              "DirectoryNum=3\n");
    SettingsStore store = SettingsStore::SettingsFile();
    EXPECT_EQ(store.ReadString("Parameter", "InitialDir", ""), "/srv/docs/");
    EXPECT_EQ(store.ReadInt("IMAGEMANAGE", "directorynum", 0), 3);

    ASSERT_TRUE(store.WriteString("Parameter", "InitialDir", "/home/me"));
    const std::string text = ReadFile(path);
    EXPECT_NE(text.find("; kept comment"), std::string::npos) << text;
    EXPECT_NE(text.find("Unrelated=value"), std::string::npos) << text;
    EXPECT_NE(text.find("DirectoryNum=3"), std::string::npos) << text;
    EXPECT_EQ(text.find("/srv/docs/"), std::string::npos) << text;
    EXPECT_EQ(store.ReadString("parameter", "initialdir", ""), "/home/me");
}

TEST_F(WinSettingsStoreTest, ParameterAndParamterAreSeparateSections) {
    ASSERT_TRUE(WriteSetting(settings::kAddFilesInitialDir, "/files/"));
    EXPECT_EQ(ReadSetting(settings::kAddDirectoryInitialDir), "");
    ASSERT_TRUE(WriteSetting(settings::kAddDirectoryInitialDir, "/folders"));
    EXPECT_EQ(ReadSetting(settings::kAddFilesInitialDir), "/files/");
    EXPECT_EQ(ReadSetting(settings::kAddDirectoryInitialDir), "/folders");
}

TEST_F(WinSettingsStoreTest, RefusesTextsThatWouldBreakTheLineFormat) {
    SettingsStore store = SettingsStore::SettingsFile();
    ASSERT_TRUE(store.WriteString("Parameter", "InitialDir", "/kept"));
    EXPECT_FALSE(store.WriteString("Parameter", "InitialDir", "/a\n[Injected]\nkey=1"));
    EXPECT_FALSE(store.WriteString("Bad]Name", "InitialDir", "/x"));
    EXPECT_FALSE(store.WriteString("Parameter", "Key=Value", "/x"));
    EXPECT_EQ(store.ReadString("Parameter", "InitialDir", ""), "/kept");
    EXPECT_EQ(store.ReadInt("Injected", "key", -1), -1);
}

TEST(WinSettingsKeysTest, MonitorPairKeysCarryAtLeastTwoDigits) {
    EXPECT_EQ(settings::ImageDirectoryKey(0), "ImageDirectory00");
    EXPECT_EQ(settings::ImageDirectoryAttribNameKey(7), "ImageDirectoryAttribName07");
    EXPECT_EQ(settings::ImageDirectoryKey(100), "ImageDirectory100");
}

}  // namespace
}  // namespace scrivola_win
