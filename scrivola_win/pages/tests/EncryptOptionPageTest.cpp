#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

#include "EncryptOptionRules.h"
#include "GuiTestSupport.h"

namespace {

using namespace pages;

class EncryptOptionPageTest : public SheetTest {
  protected:
    static constexpr int kPage = 3;
    template <class Control>
    Control* Find(int id) const {
        return FindControl<Control>(PageWidget(kPage), id);
    }
    QWidget* Any(int id) const { return Find<QWidget>(id); }
    void ExpectDependentsEnabled(bool enabled) const {
        for (const int id : kEncryptionDependentControls) {
            ASSERT_NE(Any(id), nullptr) << id;
            EXPECT_EQ(Any(id)->isEnabled(), enabled) << id;
        }
        EXPECT_TRUE(Any(kEncryptCheck)->isEnabled());
    }
    int Stored(const char* key) const { return Profile().ReadInt("EncryptPDF", key, -1); }
};

TEST_F(EncryptOptionPageTest, NoSectionShowsEncryptionOffAndEverythingElseGreyed) {
    ShowPage(kPage);
    EXPECT_FALSE(Find<QCheckBox>(kEncryptCheck)->isChecked());
    EXPECT_TRUE(Find<QLineEdit>(kUserPasswordEdit)->text().isEmpty());
    EXPECT_TRUE(Find<QLineEdit>(kOwnerPasswordEdit)->text().isEmpty());
    // The passwords are masked on screen.
    EXPECT_EQ(Find<QLineEdit>(kUserPasswordEdit)->echoMode(), QLineEdit::Password);
    EXPECT_EQ(Find<QLineEdit>(kOwnerPasswordEdit)->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(Find<QRadioButton>(kLevel40Radio)->isChecked());
    EXPECT_FALSE(Find<QRadioButton>(kLevel128Radio)->isChecked());
    for (int id : {kNoPrintCheck, kNoChangeCheck, kNoCopyCheck, kNoFormCheck}) {
        EXPECT_FALSE(Find<QCheckBox>(id)->isChecked()) << id;
    }
    ExpectDependentsEnabled(false);
}

TEST_F(EncryptOptionPageTest, SwitchingOffGreysButKeepsValuesAndSavesInOrder) {
    ShowPage(kPage);
    Find<QCheckBox>(kEncryptCheck)->click();
    ExpectDependentsEnabled(true);
    Find<QLineEdit>(kUserPasswordEdit)->setText("open sesame");
    Find<QLineEdit>(kOwnerPasswordEdit)->setText("master");
    Find<QCheckBox>(kNoPrintCheck)->click();
    Find<QCheckBox>(kNoFormCheck)->click();
    Find<QRadioButton>(kLevel128Radio)->click();
    EXPECT_FALSE(Find<QRadioButton>(kLevel40Radio)->isChecked());

    Find<QCheckBox>(kEncryptCheck)->click();
    ExpectDependentsEnabled(false);
    EXPECT_EQ(Find<QLineEdit>(kUserPasswordEdit)->text(), "open sesame");
    sheet->OkButton()->click();

    EXPECT_EQ(Stored("m_bCheckEncrypt"), 0);
    EXPECT_EQ(Profile().ReadString("EncryptPDF", "UserPwd", ""), "open sesame");
    EXPECT_EQ(Profile().ReadString("EncryptPDF", "OwnerPwd", ""), "master");
    EXPECT_EQ(Stored("m_bNoPrint"), 1);
    EXPECT_EQ(Stored("m_bNoForm"), 1);
    EXPECT_EQ(Stored("m_bNoCopy"), 0);
    EXPECT_EQ(Stored("m_bNoChange"), 0);
    EXPECT_EQ(Stored("m_iEncryptionLevel"), 128);

    const std::string text = ProfileText();
    std::size_t previous = 0;
    for (const char* key : {"m_bCheckEncrypt=", "OwnerPwd=", "UserPwd=", "m_bNoChange=",
                            "m_bNoCopy=", "m_bNoForm=", "m_bNoPrint=", "m_iEncryptionLevel="}) {
        const std::size_t at = text.find(key);
        ASSERT_NE(at, std::string::npos) << key;
        EXPECT_GT(at, previous) << key;
        previous = at;
    }
}

TEST_F(EncryptOptionPageTest, UnknownLevelAndOutOfRangeFlagsAsStored) {
    Profile().WriteInt("EncryptPDF", "m_bCheckEncrypt", 1);
    Profile().WriteInt("EncryptPDF", "m_iEncryptionLevel", 64);
    Profile().WriteInt("EncryptPDF", "m_bNoPrint", 5);
    Profile().WriteInt("EncryptPDF", "m_bNoCopy", 1);
    ShowPage(kPage);
    EXPECT_FALSE(Find<QRadioButton>(kLevel40Radio)->isChecked());
    EXPECT_FALSE(Find<QRadioButton>(kLevel128Radio)->isChecked());
    EXPECT_FALSE(Find<QCheckBox>(kNoPrintCheck)->isChecked());
    EXPECT_TRUE(Find<QCheckBox>(kNoCopyCheck)->isChecked());
    ExpectDependentsEnabled(true);
    sheet->OkButton()->click();
    EXPECT_EQ(Stored("m_iEncryptionLevel"), 64);
    EXPECT_EQ(Stored("m_bNoPrint"), 0);
    EXPECT_EQ(Stored("m_bNoCopy"), 1);
    EXPECT_EQ(Stored("m_bCheckEncrypt"), 1);
}

}  // namespace
