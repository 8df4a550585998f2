#include <gtest/gtest.h>

#include <thread>

#include "ScratchFolder.h"
#include "platform/Profile.h"

namespace platform {
namespace {

class ProfileTest : public testing::ScratchFolderTest {
  protected:
    std::string FilePath() const { return Path("config/scrivola/scrivola_win.INI"); }
};

TEST_F(ProfileTest, MissingFileSectionOrKeyGivesTheDefault) {
    Profile profile(FilePath());
    EXPECT_FALSE(profile.Read("SaveMode", "m_iSaveMode"));
    EXPECT_EQ(profile.ReadInt("SaveMode", "m_iSaveMode", 7), 7);
    EXPECT_EQ(profile.ReadString("BaseSettingDlg", "m_szDPI", "default", 4095), "default");

    ASSERT_TRUE(profile.WriteInt("SaveMode", "m_iSaveMode", 2));
    EXPECT_EQ(profile.ReadInt("SaveMode", "m_iOther", -1), -1);
    EXPECT_EQ(profile.ReadInt("Other", "m_iSaveMode", -1), -1);
    EXPECT_EQ(ReadWholeFile(FilePath()), "[SaveMode]\nm_iSaveMode=2\n");
}

TEST_F(ProfileTest, WritesKeepEveryOtherLineAndPlaceNewKeysAtTheEndOfTheirSection) {
    WriteFile("settings.ini",
              "; comment kept\r\n"
              "[Parameter]\r\n"
              "InitialDir=/old\r\n"
              "odd line without equals\r\n"
              "\r\n"
              "[Paramter]\r\n"
              "InitialDir = /other \r\n"
              "[Parameter]\r\n"
              "Shadowed=1\r\n");
    Profile profile(Path("settings.ini"));
    ASSERT_TRUE(profile.WriteString("parameter", "INITIALDIR", "/new dir"));
    ASSERT_TRUE(profile.WriteString("Parameter", "Added", "x"));
    ASSERT_TRUE(profile.WriteInt("ImageManage", "DirectoryNum", 0));
    EXPECT_EQ(ReadWholeFile(Path("settings.ini")),
              "; comment kept\r\n"
              "[Parameter]\r\n"
              "INITIALDIR=/new dir\r\n"
              "odd line without equals\r\n"
              "Added=x\r\n"
              "\r\n"
              "[Paramter]\r\n"
              "InitialDir = /other \r\n"
              "[Parameter]\r\n"
              "Shadowed=1\r\n"
              "\r\n"
              "[ImageManage]\r\n"
              "DirectoryNum=0\r\n");
    // Names in any case; blanks around key and value are not part of them;
    // the first of two same-named sections counts.
    EXPECT_EQ(profile.Read("PARAMTER", "initialdir"), "/other");
    EXPECT_EQ(profile.Read("Parameter", "InitialDir"), "/new dir");
    EXPECT_FALSE(profile.Read("Parameter", "Shadowed"));
}

TEST_F(ProfileTest, ReadIntParsesTheLeadingNumber) {
    struct Case {
        const char* stored;
        int expected;
    };
    const Case cases[] = {
        {"42", 42},
        {"  -17", -17},
        {"+8", 8},
        {"12abc", 12},
        {"abc", 0},
        {"", 0},
        {"- 5", 0},
        {"007", 7},
        {"99999999999", 2147483647},
        {"-99999999999", -2147483647 - 1},
        {"0x1A", 0},
    };
    Profile profile(FilePath());
    for (const Case& c : cases) {
        ASSERT_TRUE(profile.WriteString("Numbers", "value", c.stored));
        EXPECT_EQ(profile.ReadInt("Numbers", "value", 555), c.expected) << '"' << c.stored << '"';
    }
}

TEST_F(ProfileTest, ReadStringCutsToCapacity) {
    Profile profile(FilePath());
    const std::string longDir = "/" + std::string(299, 'd');
    ASSERT_TRUE(profile.WriteString("Parameter", "InitialDir", longDir));
    EXPECT_EQ(profile.ReadString("Parameter", "InitialDir", "", 259), longDir.substr(0, 259));
    EXPECT_EQ(profile.ReadString("Parameter", "InitialDir", "", 4095), longDir);
    EXPECT_EQ(profile.Read("Parameter", "InitialDir"), longDir);
    // A cut never splits a multi-byte character.
    ASSERT_TRUE(profile.WriteString("Parameter", "Name", "ab\xC3\xA9"));
    EXPECT_EQ(profile.ReadString("Parameter", "Name", "", 3), "ab");
    EXPECT_EQ(profile.ReadString("Parameter", "Missing", "defaultvalue", 3), "def");
}

TEST_F(ProfileTest, RefusesTextThatWouldForgeOtherEntries) {
    Profile profile(FilePath());
    ASSERT_TRUE(profile.WriteInt("EncryptPDF", "m_bCheckEncrypt", 1));
    EXPECT_FALSE(
        profile.WriteString("Paramter", "InitialDir", "/a\n[EncryptPDF]\nm_bCheckEncrypt=0"));
    EXPECT_FALSE(profile.WriteString("Paramter", "Key=x", "v"));
    EXPECT_FALSE(profile.WriteString("Sec]tion", "Key", "v"));
    EXPECT_FALSE(profile.WriteString("", "Key", "v"));
    EXPECT_FALSE(profile.WriteString("Section", "", "v"));
    EXPECT_EQ(profile.ReadInt("EncryptPDF", "m_bCheckEncrypt", 0), 1);
    EXPECT_FALSE(profile.Read("Paramter", "InitialDir"));
    // Values may hold '=', brackets and quotes as they are.
    ASSERT_TRUE(profile.WriteString("Paramter", "InitialDir", "[a]=\"b\""));
    EXPECT_EQ(profile.Read("Paramter", "InitialDir"), "[a]=\"b\"");
}

TEST_F(ProfileTest, ConcurrentWritesToOneFileLoseNothing) {
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([this, t] {
            Profile profile(FilePath());
            for (int i = 0; i < 20; ++i) {
                profile.WriteInt("ImageManage", "Key" + std::to_string(t) + "_" + std::to_string(i),
                                 i);
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    Profile profile(FilePath());
    for (int t = 0; t < 4; ++t) {
        for (int i = 0; i < 20; ++i) {
            EXPECT_EQ(profile.ReadInt("ImageManage",
                                      "Key" + std::to_string(t) + "_" + std::to_string(i), -1),
                      i);
        }
    }
}

}  // namespace
}  // namespace platform
