#include <gtest/gtest.h>

#include <string>

#include "platform/FileSystem.h"
#include "settings/SettingsKeys.h"
#include "settings/SettingsRecords.h"
#include "settings/SettingsStore.h"
#include "testing/PrivateHome.h"

namespace scrivola_win {
namespace {

namespace keys = settings;

std::string ProfileText() {
    return platform::ReadWholeFile(ApplicationProfilePath()).value_or("");
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

void WriteRaw(const FlagSetting& setting, int value) {
    OpenStore(setting.store).WriteInt(setting.section, setting.key, value);
}

class SettingsRecordsTest : public ::testing::Test {
  protected:
    testsupport::PrivateHome m_home;
};

TEST(CheckState, PageAndRunnerReadTheSameNumberByTheirRules) {
    struct Case {
        int stored;
        CheckBoxState shown;
        bool on;
    };
    const Case cases[] = {
        {0, CheckBoxState::kUnchecked, false}, {1, CheckBoxState::kChecked, true},
        {2, CheckBoxState::kUndecided, true},  {3, CheckBoxState::kUnchecked, true},
        {-1, CheckBoxState::kUnchecked, true},
    };
    for (const Case& c : cases) {
        const CheckState state = CheckState::FromStored(c.stored);
        EXPECT_EQ(state.Shown(), c.shown) << c.stored;
        EXPECT_EQ(state.IsOn(), c.on) << c.stored;
        EXPECT_EQ(state.Stored(), c.stored);
    }
}

TEST_F(SettingsRecordsTest, MissingProfileGivesTheDefaults) {
    const BaseSettingRecord base = LoadBaseSetting();
    EXPECT_EQ(base.checkView.Shown(), CheckBoxState::kChecked);
    EXPECT_EQ(base.dpi, "default");
    EXPECT_EQ(base.pageIndex, 7);
    EXPECT_EQ(base.colorIndex, 2);
    EXPECT_FALSE(base.landscape);
    const EncryptRecord encrypt = LoadEncrypt();
    EXPECT_FALSE(encrypt.encrypt.IsOn());
    EXPECT_EQ(encrypt.level, 40);
    EXPECT_FALSE(encrypt.noPrint.IsOn() || encrypt.noChange.IsOn() || encrypt.noCopy.IsOn() ||
                 encrypt.noForm.IsOn());
    const SaveModeRecord saveMode = LoadSaveMode();
    EXPECT_EQ(saveMode.makeMode, MakePdfMode::kCombineAll);
    EXPECT_EQ(saveMode.saveMode, SaveMode::kAskUser);
    EXPECT_EQ(saveMode.destinationMode, DestinationMode::kOverwrite);
    EXPECT_EQ(LoadPdfInfo().title, "");
    EXPECT_FALSE(LoadMonitorOption().eraseOriginalFile.IsOn());
}

TEST_F(SettingsRecordsTest, StoreThenLoadGivesTheRecordBack) {
    // Numbers outside the named modes and flags are kept as they are.
    SaveModeRecord saveMode;
    saveMode.makeMode = static_cast<MakePdfMode>(9);
    saveMode.saveMode = SaveMode::kFixedTarget;
    saveMode.filenameOrPath = "/out/";
    saveMode.destinationMode = static_cast<DestinationMode>(12);
    EncryptRecord encrypt;
    encrypt.encrypt = CheckBoxState::kChecked;
    encrypt.ownerPassword = "owner";
    encrypt.userPassword = "user = me";
    encrypt.noChange = CheckBoxState::kUndecided;
    encrypt.noForm = CheckState::FromStored(7);
    encrypt.level = 77;
    const PdfInfoRecord info{"An Author", "", "Quarterly; \"draft\"", "a, b"};
    BaseSettingRecord base;
    base.checkView = CheckBoxState::kUndecided;

    Store(saveMode);
    Store(encrypt);
    Store(info);
    Store(base);
    EXPECT_EQ(LoadSaveMode(), saveMode);
    EXPECT_EQ(LoadEncrypt(), encrypt);
    EXPECT_EQ(LoadPdfInfo(), info);
    EXPECT_EQ(LoadBaseSetting(), base);
}

TEST_F(SettingsRecordsTest, EachSectionWritesAllItsKeysInItsOrder) {
    Store(SaveModeRecord{});
    Store(EncryptRecord{});
    Store(PdfInfoRecord{});
    Store(BaseSettingRecord{});

    const std::string text = ProfileText();
    ExpectInOrder(text,
                  {"m_iMakePDFMode", "m_iSaveMode", "m_szFilenameORPath", "m_iDestinationMode"});
    ExpectInOrder(text, {"m_bCheckEncrypt", "OwnerPwd", "UserPwd", "m_bNoChange", "m_bNoCopy",
                         "m_bNoForm", "m_bNoPrint", "m_iEncryptionLevel"});
    ExpectInOrder(text, {"m_szAuthor", "m_szSubject", "m_szTitle", "m_szKeywords"});
    // Empty texts are stored as empty values, not left out.
    EXPECT_EQ(
        SettingsStore::ApplicationProfile().ReadStoredString(keys::kPdfInfoSection, "m_szKeywords"),
        std::optional<std::string>(""));
    // The Base Setting page owns only the view flag; the runner's keys in
    // its section are never written.
    EXPECT_NE(text.find("m_bCheckView=1"), std::string::npos);
    for (const std::string_view key :
         {"m_szDPI", "m_iPageIndex", "m_iColorIndex", "m_bPageOrientation"}) {
        EXPECT_EQ(text.find(std::string(key) + "="), std::string::npos) << key;
    }
}

TEST_F(SettingsRecordsTest, StoredFlagsAreReadAsTheyStand) {
    WriteRaw(keys::kCheckView, 2);
    WriteRaw(keys::kNoPrint, 5);
    WriteRaw(keys::kCheckEncrypt, -3);
    const BaseSettingRecord base = LoadBaseSetting();
    EXPECT_EQ(base.checkView.Shown(), CheckBoxState::kUndecided);
    Store(base);  // an undecided box survives a visit to its page
    EXPECT_EQ(LoadBaseSetting().checkView.Shown(), CheckBoxState::kUndecided);

    const EncryptRecord encrypt = LoadEncrypt();
    EXPECT_TRUE(encrypt.noPrint.IsOn());
    EXPECT_EQ(encrypt.noPrint.Shown(), CheckBoxState::kUnchecked);
    EXPECT_TRUE(encrypt.encrypt.IsOn());
    EXPECT_EQ(encrypt.encrypt.Shown(), CheckBoxState::kUnchecked);
}

}  // namespace
}  // namespace scrivola_win
