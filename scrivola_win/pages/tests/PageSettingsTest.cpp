#include <gtest/gtest.h>

#include <string>

#include "PageSettings.h"
#include "platform/FileSystem.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsStore.h"
#include "testing/PrivateHome.h"

namespace pages {
namespace {

namespace keys = scrivola_win::settings;

std::string ProfileText() {
    return platform::ReadWholeFile(scrivola_win::ApplicationProfilePath()).value_or("");
}

// Positions of the keys in the profile's text, which must rise.
void ExpectInOrder(const std::string& text, std::initializer_list<std::string_view> keys) {
    std::size_t previous = 0;
    for (const std::string_view key : keys) {
        const std::size_t at = text.find(std::string(key) + "=");
        ASSERT_NE(at, std::string::npos) << key;
        EXPECT_GT(at, previous) << key;
        previous = at;
    }
}

class PageSettingsTest : public ::testing::Test {
  protected:
    testsupport::PrivateHome home;
};

TEST(CheckBoxValue, OnlyZeroToTwoSurvive) {
    EXPECT_EQ(CheckBoxValue(0), 0);
    EXPECT_EQ(CheckBoxValue(1), 1);
    EXPECT_EQ(CheckBoxValue(2), 2);
    EXPECT_EQ(CheckBoxValue(3), 0);
    EXPECT_EQ(CheckBoxValue(-1), 0);
}

TEST_F(PageSettingsTest, MissingProfileGivesTheDefaults) {
    EXPECT_EQ(LoadBaseSetting({}).checkView, 1);
    const EncryptFields encrypt = LoadEncrypt();
    EXPECT_EQ(encrypt.encrypt, 0);
    EXPECT_EQ(encrypt.level, 40);
    EXPECT_EQ(encrypt.noPrint + encrypt.noChange + encrypt.noCopy + encrypt.noForm, 0);
    const SaveModeFields saveMode = LoadSaveMode();
    EXPECT_EQ(saveMode.makeMode, 0);
    EXPECT_EQ(saveMode.saveMode, 0);
    EXPECT_EQ(saveMode.destinationMode, 0);
    EXPECT_EQ(LoadPdfInfo().title, "");
}

TEST_F(PageSettingsTest, EachPageWritesAllItsKeysInItsOrder) {
    StoreSaveMode({3, 1, 2, "/out/"});
    EncryptFields encrypt;
    encrypt.encrypt = 1;
    encrypt.ownerPassword = "owner";
    encrypt.userPassword = "user";
    encrypt.level = 128;
    StoreEncrypt(encrypt);
    StorePdfInfo({});

    const std::string text = ProfileText();
    ExpectInOrder(text,
                  {"m_iMakePDFMode", "m_iSaveMode", "m_szFilenameORPath", "m_iDestinationMode"});
    ExpectInOrder(text, {"m_bCheckEncrypt", "OwnerPwd", "UserPwd", "m_bNoChange", "m_bNoCopy",
                         "m_bNoForm", "m_bNoPrint", "m_iEncryptionLevel"});
    ExpectInOrder(text, {"m_szAuthor", "m_szSubject", "m_szTitle", "m_szKeywords"});

    const SaveModeFields saveMode = LoadSaveMode();
    EXPECT_EQ(saveMode.destinationMode, 3);
    EXPECT_EQ(saveMode.makeMode, 1);
    EXPECT_EQ(saveMode.saveMode, 2);
    EXPECT_EQ(saveMode.filenameOrPath, "/out/");
    EXPECT_EQ(LoadEncrypt().level, 128);
    EXPECT_EQ(LoadEncrypt().ownerPassword, "owner");
    // Empty texts are stored as empty values, not left out.
    EXPECT_EQ(scrivola_win::SettingsStore::ApplicationProfile().ReadStoredString(
                  keys::kPdfInfoSection, "m_szKeywords"),
              std::optional<std::string>(""));
}

TEST_F(PageSettingsTest, AnUndecidedFlagSurvivesAVisit) {
    scrivola_win::OpenStore(keys::kCheckView.store)
        .WriteInt(keys::kCheckView.section, keys::kCheckView.key, 2);
    const BaseSettingFields loaded = LoadBaseSetting({});
    EXPECT_EQ(loaded.checkView, 2);
    StoreBaseSetting(loaded);
    EXPECT_EQ(LoadBaseSetting({}).checkView, 2);
}

}  // namespace
}  // namespace pages
