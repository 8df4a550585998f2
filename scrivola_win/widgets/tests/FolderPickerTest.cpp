#include <gtest/gtest.h>

#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileSystemModel>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>

#include "GuiTestSupport.h"
#include "widgets/CFolderPicker.h"

namespace {

class FolderPickerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        root = QDir::homePath() + "/documents";
        ASSERT_TRUE(QDir().mkpath(root + "/alpha"));
        ASSERT_TRUE(QDir().mkpath(root + "/beta"));
        picker.SetBrowseFlags(CFolderPicker::kOnlyFileSystemDirs | CFolderPicker::kStatusText);
    }

    // Runs Browse with the action applied to the open browser.
    bool BrowseWith(std::function<void(QDialog*)> action) {
        OnNextModal([this, action](QWidget*) {
            QDialog* browser = picker.BrowserWindow();
            ASSERT_NE(browser, nullptr);
            action(browser);
        });
        return picker.Browse();
    }

    static QString Status(QDialog* browser) {
        return browser->findChild<QLabel*>("statusText")->text();
    }
    static QPushButton* OkButton(QDialog* browser) {
        return browser->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
    }

    QString root;
    CFolderPicker picker{nullptr, "Please select a directory:"};
};

}  // namespace

TEST_F(FolderPickerTest, StartsAtTheInitialFolderAndReturnsTheConfirmedOne) {
    picker.SetInitialFolder(root + "/alpha");
    QString statusAtStart;
    QString title;
    const bool chosen = BrowseWith([&](QDialog* browser) {
        statusAtStart = Status(browser);
        title = browser->findChild<QLabel*>("title")->text();
        OkButton(browser)->click();
    });
    EXPECT_TRUE(chosen);
    EXPECT_EQ(picker.Path(), root + "/alpha");
    EXPECT_EQ(statusAtStart, root + "/alpha");
    EXPECT_EQ(title, "Please select a directory:");
    EXPECT_EQ(picker.BrowserWindow(), nullptr);
}

TEST_F(FolderPickerTest, StatusLineFollowsTheSelection) {
    picker.SetInitialFolder(root + "/alpha");
    QString statusAfterMove;
    const bool chosen = BrowseWith([&](QDialog* browser) {
        auto* tree = browser->findChild<QTreeView*>("folderTree");
        auto* model = qobject_cast<QFileSystemModel*>(tree->model());
        tree->setCurrentIndex(model->index(root + "/beta"));
        statusAfterMove = Status(browser);
        OkButton(browser)->click();
    });
    EXPECT_TRUE(chosen);
    EXPECT_EQ(statusAfterMove, root + "/beta");
    EXPECT_EQ(picker.Path(), root + "/beta");
}

TEST_F(FolderPickerTest, WithoutInitialFolderItStartsAtTheTopAndCancelChoosesNothing) {
    for (const QString& initial : {QString(), root + "/no such folder"}) {
        picker.SetInitialFolder(initial);
        QString status = "unset";
        const bool chosen = BrowseWith([&](QDialog* browser) {
            status = Status(browser);
            browser->reject();
        });
        EXPECT_FALSE(chosen) << initial.toStdString();
        EXPECT_EQ(status, "/") << initial.toStdString();
        EXPECT_EQ(picker.Path(), "");
        EXPECT_EQ(picker.BrowserWindow(), nullptr);
    }
}

TEST_F(FolderPickerTest, OnlyFoldersThatFitThePathLimitCanBeConfirmed) {
    QString deep = root;
    while (deep.size() <= 259) {
        deep += "/abcdefghijklmnopqrstuvwxyz";
    }
    ASSERT_TRUE(QDir().mkpath(deep));
    picker.SetInitialFolder(deep);
    bool okEnabled = true;
    const bool chosen = BrowseWith([&](QDialog* browser) {
        okEnabled = OkButton(browser)->isEnabled();
        browser->accept();  // even a forced accept yields nothing
    });
    EXPECT_FALSE(okEnabled);
    EXPECT_FALSE(chosen);
    EXPECT_EQ(picker.Path(), "");
}
