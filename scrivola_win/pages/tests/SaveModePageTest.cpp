#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <optional>

#include "CSaveModeDlg.h"
#include "GuiTestSupport.h"

namespace {

class SaveModePageTest : public SheetTest {
  protected:
    void SetUp() override {
        SheetTest::SetUp();
        WatchPage();
    }
    // Replaces the page's warning box and dialogs with recorders.
    void WatchPage() {
        page = dynamic_cast<CSaveModeDlg*>(sheet->Page(0));
        ASSERT_NE(page, nullptr);
        page->SetWarningFunction([this](QWidget*, const QString& text) { warnings << text; });
        page->SetSaveFileChooser([this](QWidget*) {
            ++fileDialogs;
            return fileAnswer;
        });
        page->SetFolderChooser([this](QWidget*) {
            ++folderDialogs;
            return folderAnswer;
        });
    }
    void Store(int make, int save, const std::string& path, int destination = 0) {
        Profile().WriteInt("SaveMode", "m_iMakePDFMode", make);
        Profile().WriteInt("SaveMode", "m_iSaveMode", save);
        Profile().WriteString("SaveMode", "m_szFilenameORPath", path);
        Profile().WriteInt("SaveMode", "m_iDestinationMode", destination);
    }
    QRadioButton* Radio(int id) const { return FindControl<QRadioButton>(page, id); }
    QLineEdit* PathEdit() const { return FindControl<QLineEdit>(page, 1027); }
    int Stored(const char* key) const { return Profile().ReadInt("SaveMode", key, -1); }

    CSaveModeDlg* page = nullptr;
    QStringList warnings;
    int fileDialogs = 0;
    int folderDialogs = 0;
    std::optional<std::string> fileAnswer;
    std::optional<std::string> folderAnswer;
};

TEST_F(SaveModePageTest, CombiningMovesTheSelectionAwayFromBesideTheDocuments) {
    Store(0, 1, "");  // a combination the page never offers
    ShowPage(0);
    EXPECT_TRUE(Radio(1020)->isChecked());
    EXPECT_TRUE(Radio(1024)->isChecked());
    EXPECT_FALSE(Radio(1024)->isEnabled());

    Radio(1021)->click();
    EXPECT_TRUE(Radio(1021)->isChecked());
    EXPECT_FALSE(Radio(1020)->isChecked());
    EXPECT_TRUE(Radio(1024)->isEnabled());
    EXPECT_TRUE(Radio(1024)->isChecked());

    Radio(1020)->click();
    EXPECT_TRUE(Radio(1023)->isChecked());
    EXPECT_FALSE(Radio(1024)->isChecked());
    EXPECT_FALSE(Radio(1024)->isEnabled());
    EXPECT_FALSE(FindControl<QPushButton>(page, 1026)->isEnabled());
    EXPECT_FALSE(PathEdit()->isEnabled());

    // Clicking a checked button keeps it checked: the page decides.
    Radio(1023)->click();
    EXPECT_TRUE(Radio(1023)->isChecked());
}

TEST_F(SaveModePageTest, DestinationButtonsStoreTheirIdsValue) {
    ShowPage(0);
    EXPECT_TRUE(Radio(1041)->isChecked());
    Radio(1044)->click();  // "Rename if file exist", second on screen
    EXPECT_TRUE(Radio(1044)->isChecked());
    EXPECT_FALSE(Radio(1041)->isChecked());
    sheet->OkButton()->click();
    EXPECT_EQ(Stored("m_iDestinationMode"), 3);
}

TEST_F(SaveModePageTest, InsertBeforeStoresOne) {
    ShowPage(0);
    Radio(1042)->click();
    sheet->OkButton()->click();
    EXPECT_EQ(Stored("m_iDestinationMode"), 1);
}

TEST_F(SaveModePageTest, OutputPathIsCheckedOnOk) {
    struct Case {
        int make;
        const char* typed;
        int warnings;
        int savedMode;
    };
    const Case cases[] = {
        {1, "/out", 1, 0},
        {1, "/out/", 0, 2},
        {0, "/out/", 1, 0},
        {0, "", 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.make) + " " + c.typed);
        sheet = CreateSettingsSheet(nullptr);
        WatchPage();
        warnings.clear();
        Store(c.make, 2, "");
        ShowPage(0);
        PathEdit()->setText(c.typed);
        sheet->OkButton()->click();
        EXPECT_EQ(warnings.size(), c.warnings);
        if (c.warnings > 0) {
            EXPECT_EQ(warnings.front(),
                      "Please double check the output filename or directory, thanks!");
        }
        EXPECT_EQ(Stored("m_iSaveMode"), c.savedMode);
        EXPECT_EQ(Profile().ReadString("SaveMode", "m_szFilenameORPath", "?"), c.typed);
    }
}

TEST_F(SaveModePageTest, NoCheckOutsideSaveModeTwo) {
    Store(1, 0, "/no/slash");
    ShowPage(0);
    sheet->OkButton()->click();
    EXPECT_TRUE(warnings.isEmpty());
    EXPECT_EQ(Stored("m_iSaveMode"), 0);
}

TEST_F(SaveModePageTest, BrowseAsksForAFileWhenCombiningAndAFolderOtherwise) {
    Store(0, 2, "/old.pdf");
    ShowPage(0);
    QPushButton* browse = FindControl<QPushButton>(page, 1026);
    fileAnswer = "/chosen/all.pdf";
    browse->click();
    EXPECT_EQ(fileDialogs, 1);
    EXPECT_EQ(PathEdit()->text(), "/chosen/all.pdf");

    Radio(1022)->click();
    folderAnswer.reset();  // cancelled: nothing changes
    browse->click();
    EXPECT_EQ(folderDialogs, 1);
    EXPECT_EQ(PathEdit()->text(), "/chosen/all.pdf");

    // A browsed folder has no trailing '/', so OK still warns.
    folderAnswer = "/chosen";
    browse->click();
    EXPECT_EQ(PathEdit()->text(), "/chosen");
    sheet->OkButton()->click();
    EXPECT_EQ(warnings.size(), 1);
    EXPECT_EQ(Stored("m_iMakePDFMode"), 2);
    EXPECT_EQ(Stored("m_iSaveMode"), 0);
}

TEST_F(SaveModePageTest, OutOfRangeValuesAreShownAsNothingAndWrittenBack) {
    Store(7, 9, "/x/", 12);
    ShowPage(0);
    for (int id : {1020, 1021, 1022, 1023, 1024, 1025, 1041, 1042, 1043, 1044}) {
        EXPECT_FALSE(Radio(id)->isChecked()) << id;
    }
    sheet->OkButton()->click();
    EXPECT_EQ(Stored("m_iMakePDFMode"), 7);
    EXPECT_EQ(Stored("m_iSaveMode"), 9);
    EXPECT_EQ(Stored("m_iDestinationMode"), 12);
}

}  // namespace
