// The monitor sheet's page and the pair dialog, driven offscreen.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>

#include "CImageManager.h"
#include "CMonitorPairDlg.h"
#include "MonitorGuiSupport.h"
#include "MonitorPairStore.h"
#include "MonitorSheet.h"
#include "pages/CPropertySheetWithLogoDlg.h"
#include "settings/SettingsRecords.h"
#include "widgets/CSortListCtrl.h"

using monitor::CImageManager;
using monitor::CMonitorPairDlg;
using monitor::MonitorPair;

namespace {

class MonitorPageTest : public ::testing::Test {
  protected:
    void SetUp() override { GuiApplication(); }

    // Shows the sheet as exec would, without blocking.
    CImageManager* OpenSheet() {
        sheet = monitor::CreateMonitorSheet(nullptr, [this](QWidget*, const MonitorPair& shown) {
            editorSaw.push_back(shown);
            return editorAnswer;
        });
        sheet->show();
        return static_cast<CImageManager*>(sheet->Page(0));
    }
    QStringList Row(int row) const {
        CSortListCtrl* list = page()->List();
        return {list->ItemText(row, 0), list->ItemText(row, 1)};
    }
    CImageManager* page() const { return static_cast<CImageManager*>(sheet->Page(0)); }
    QCheckBox* EraseBox() const {
        return FindControl<QCheckBox>(page(), CImageManager::kEraseCheckId);
    }

    testsupport::PrivateHome home;
    std::unique_ptr<CPropertySheetWithLogoDlg> sheet;
    std::vector<MonitorPair> editorSaw;
    std::optional<MonitorPair> editorAnswer;
};

TEST_F(MonitorPageTest, SheetHasItsCaptionLogoAndPage) {
    CImageManager* manager = OpenSheet();
    EXPECT_EQ(sheet->windowTitle(), "Vellixa");
    EXPECT_EQ(sheet->LogoLabel(), "scrivola_win");
    EXPECT_EQ(sheet->TabControl()->tabText(0), "Directory Monitor Tool");
    for (const auto& [id, text] : {std::pair{CImageManager::kAddId, "Add"},
                                   {CImageManager::kDeleteId, "Delete"},
                                   {CImageManager::kModifyId, "Modify"}}) {
        QPushButton* button = FindControl<QPushButton>(manager, id);
        ASSERT_NE(button, nullptr) << id;
        EXPECT_EQ(button->text(), text);
        EXPECT_TRUE(button->isVisible()) << id;
    }
    ASSERT_NE(FindControl<CSortListCtrl>(manager, CImageManager::kListId), nullptr);
    EXPECT_EQ(manager->List()->model()->headerData(0, Qt::Horizontal).toString(),
              "Monitor Directory(*.tif ...)");
    EXPECT_EQ(manager->List()->model()->headerData(1, Qt::Horizontal).toString(),
              "Output Directory(*.pdf)");
    EXPECT_EQ(EraseBox()->text(), "Delete original image file(s) after conversion");
    EXPECT_TRUE(EraseBox()->isVisible());
    EXPECT_TRUE(manager->List()->isVisible());
}

TEST_F(MonitorPageTest, EmptySettingsOpenEmptyAndOkStoresZeroes) {
    OpenSheet();
    EXPECT_EQ(page()->List()->RowCount(), 0);
    EXPECT_EQ(EraseBox()->checkState(), Qt::Unchecked);

    sheet->accept();
    const std::string text = ReadText(scrivola_win::SettingsFilePath());
    EXPECT_NE(text.find("DirectoryNum=0"), std::string::npos);
    EXPECT_NE(text.find("m_bEraseOriginalFile=0"), std::string::npos);
}

TEST_F(MonitorPageTest, StoredPairsAndFlagAreShown) {
    monitor::StoreMonitorPairs({{"/in/a", "/out/a"}, {"", "/out/b"}});
    scrivola_win::Store(scrivola_win::MonitorOptionRecord{scrivola_win::CheckBoxState::kChecked});
    OpenSheet();
    ASSERT_EQ(page()->List()->RowCount(), 2);
    EXPECT_EQ(Row(0), (QStringList{"/in/a", "/out/a"}));
    EXPECT_EQ(Row(1), (QStringList{"", "/out/b"}));
    EXPECT_EQ(EraseBox()->checkState(), Qt::Checked);
}

TEST_F(MonitorPageTest, AddAppendsOnlyCompletePairs) {
    OpenSheet();
    editorAnswer = MonitorPair{"/in", "/out"};
    FindControl<QPushButton>(page(), CImageManager::kAddId)->click();
    for (const std::optional<MonitorPair>& answer :
         {std::optional<MonitorPair>{}, std::optional<MonitorPair>{{"/in2", ""}}}) {
        editorAnswer = answer;
        page()->OnAdd();
    }
    ASSERT_EQ(editorSaw.size(), 3u);
    EXPECT_EQ(editorSaw[0], MonitorPair{});
    ASSERT_EQ(page()->List()->RowCount(), 1);
    EXPECT_EQ(Row(0), (QStringList{"/in", "/out"}));
}

TEST_F(MonitorPageTest, DeleteAndModifyActOnTheSelectedRow) {
    monitor::StoreMonitorPairs({{"/a", "/A"}, {"/b", "/B"}, {"/c", "/C"}});
    OpenSheet();

    // Nothing selected: nothing happens and no dialog opens.
    page()->OnDelete();
    page()->OnModify();
    EXPECT_EQ(page()->List()->RowCount(), 3);
    EXPECT_TRUE(editorSaw.empty());

    page()->List()->SetRowSelected(0, true);
    editorAnswer = MonitorPair{"/a2", "/A2"};
    FindControl<QPushButton>(page(), CImageManager::kModifyId)->click();
    ASSERT_EQ(editorSaw.size(), 1u);
    EXPECT_EQ(editorSaw[0], (MonitorPair{"/a", "/A"}));
    EXPECT_EQ(Row(0), (QStringList{"/b", "/B"}));
    EXPECT_EQ(Row(2), (QStringList{"/a2", "/A2"}));

    // A cancelled edit keeps the row where it was.
    page()->List()->ClearRowSelection();
    page()->List()->SetRowSelected(0, true);
    editorAnswer.reset();
    page()->OnModify();
    EXPECT_EQ(Row(0), (QStringList{"/b", "/B"}));

    page()->List()->ClearRowSelection();
    page()->List()->SetRowSelected(1, true);
    FindControl<QPushButton>(page(), CImageManager::kDeleteId)->click();
    ASSERT_EQ(page()->List()->RowCount(), 2);
    EXPECT_EQ(Row(1), (QStringList{"/a2", "/A2"}));

    sheet->accept();
    EXPECT_EQ(monitor::LoadMonitorPairs(),
              (std::vector<MonitorPair>{{"/b", "/B"}, {"/a2", "/A2"}}));
}

TEST_F(MonitorPageTest, CancelStoresNothing) {
    monitor::StoreMonitorPairs({{"/a", "/A"}});
    const std::string before = ReadText(scrivola_win::SettingsFilePath());
    OpenSheet();
    editorAnswer = MonitorPair{"/b", "/B"};
    page()->OnAdd();
    EraseBox()->click();
    sheet->reject();
    EXPECT_EQ(ReadText(scrivola_win::SettingsFilePath()), before);
}

TEST_F(MonitorPageTest, OkStoresTheCheckBox) {
    OpenSheet();
    EraseBox()->click();
    sheet->accept();
    EXPECT_EQ(scrivola_win::LoadMonitorOption().eraseOriginalFile.Stored(), 1);
}

class MonitorPairDlgTest : public ::testing::Test {
  protected:
    void SetUp() override { GuiApplication(); }
    QLineEdit* Edit(const CMonitorPairDlg& dialog, int id) {
        return FindControl<QLineEdit>(&dialog, id);
    }
};

TEST_F(MonitorPairDlgTest, ShowsThePairAndLimitsTyping) {
    CMonitorPairDlg dialog(nullptr, {"/in", "/out"});
    EXPECT_EQ(dialog.windowTitle(), "Setting");
    EXPECT_EQ(Edit(dialog, CMonitorPairDlg::kMonitoredEditId)->text(), "/in");
    EXPECT_EQ(Edit(dialog, CMonitorPairDlg::kOutputEditId)->text(), "/out");
    EXPECT_EQ(Edit(dialog, CMonitorPairDlg::kMonitoredEditId)->maxLength(), 100);
    EXPECT_EQ(Edit(dialog, CMonitorPairDlg::kOutputEditId)->maxLength(), 256);
    EXPECT_EQ(FindControl<QPushButton>(&dialog, CMonitorPairDlg::kBrowseMonitoredId)->text(),
              "Browse");
    EXPECT_EQ(FindControl<QPushButton>(&dialog, CMonitorPairDlg::kBrowseOutputId)->text(),
              "Browse");
}

TEST_F(MonitorPairDlgTest, OverlongTextIsKeptWholeAndRefusedOnOk) {
    const std::string longPath = "/" + std::string(119, 'x');
    CMonitorPairDlg dialog(nullptr, {longPath, "/out"});
    QLineEdit* monitored = Edit(dialog, CMonitorPairDlg::kMonitoredEditId);
    EXPECT_EQ(monitored->text().toStdString(), longPath);

    dialog.show();
    QString message;
    WhenModalOpens<QMessageBox>([&](QMessageBox* box) {
        message = box->text();
        box->accept();
    });
    FindControl<QPushButton>(&dialog, CMonitorPairDlg::kOkId)->click();
    EXPECT_EQ(message, "Please enter no more than 100 characters.");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 0);
    EXPECT_EQ(monitored->text().toStdString(), longPath);

    monitored->setText(QString(100, 'y'));
    FindControl<QPushButton>(&dialog, CMonitorPairDlg::kOkId)->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Fields(), (MonitorPair{std::string(100, 'y'), "/out"}));
}

TEST_F(MonitorPairDlgTest, BrowseStartsAtTheOutputFolderAsOpened) {
    std::vector<QString> initialFolders;
    QString answer;
    CMonitorPairDlg dialog(nullptr, {"/in", "/out"}, [&](QWidget*, const QString& initial) {
        initialFolders.push_back(initial);
        return std::optional<QString>(answer);
    });
    Edit(dialog, CMonitorPairDlg::kOutputEditId)->setText("/typed");

    answer = "/picked/in";
    FindControl<QPushButton>(&dialog, CMonitorPairDlg::kBrowseMonitoredId)->click();
    answer = "/picked/out";
    FindControl<QPushButton>(&dialog, CMonitorPairDlg::kBrowseOutputId)->click();

    EXPECT_EQ(initialFolders, (std::vector<QString>{"/out", "/out"}));
    EXPECT_EQ(Edit(dialog, CMonitorPairDlg::kMonitoredEditId)->text(), "/picked/in");
    EXPECT_EQ(Edit(dialog, CMonitorPairDlg::kOutputEditId)->text(), "/picked/out");
}

TEST_F(MonitorPairDlgTest, CancelLeavesTheFields) {
    CMonitorPairDlg dialog(nullptr, {"/in", "/out"});
    Edit(dialog, CMonitorPairDlg::kMonitoredEditId)->setText("/changed");
    FindControl<QPushButton>(&dialog, CMonitorPairDlg::kCancelId)->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.Fields(), (MonitorPair{"/in", "/out"}));
}

}  // namespace
