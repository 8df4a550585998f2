// The main window with the real settings sheet, monitor and runner behind
// its commands.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTimer>

#include "CConverterDlg.h"
#include "CHoverIconButton.h"
#include "FrontEndWiring.h"
#include "MainWindowIds.h"
#include "TempHome.h"
#include "pages/CPropertySheetWithLogoDlg.h"

namespace {

class WinFrontEndWiringTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window_ = std::make_unique<CConverterDlg>(CreateFrontEndCommands());
        window_->show();
    }

    QString MonitorText() { return window_->findChild<QAction*>(ids::Name(ids::kMonitor))->text(); }

    // Runs `trigger`, which opens a modal sheet; cancels the sheet and
    // returns its page count, or -1 when no sheet opened.
    int CancelSheetOpenedBy(const std::function<void()>& trigger) {
        int pages = -1;
        QTimer::singleShot(0, [&] {
            if (auto* sheet =
                    dynamic_cast<CPropertySheetWithLogoDlg*>(QApplication::activeModalWidget())) {
                pages = sheet->PageCount();
                sheet->CancelButton()->click();
            }
        });
        trigger();
        return pages;
    }

    TempHome home_;
    std::unique_ptr<CConverterDlg> window_;
};

TEST_F(WinFrontEndWiringTest, SettingsAndMonitorOpenTheirSheets) {
    EXPECT_EQ(MonitorText(), QStringLiteral("&Monitor A Special Directory (Stoped) ..."));

    EXPECT_EQ(CancelSheetOpenedBy([&] {
                  window_->findChild<CHoverIconButton*>(ids::Name(ids::kSettingButton))->click();
              }),
              4);
    EXPECT_EQ(CancelSheetOpenedBy(
                  [&] { window_->findChild<QAction*>(ids::Name(ids::kMonitor))->trigger(); }),
              1);
    EXPECT_EQ(MonitorText(), QStringLiteral("&Monitor A Special Directory (Stoped) ..."));
}

TEST_F(WinFrontEndWiringTest, MakePdfWithAnEmptyListDoesNothing) {
    bool dialogOpened = false;
    QTimer::singleShot(0, [&] {
        if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != window_.get()) {
            dialogOpened = true;
            modal->close();
        }
    });
    window_->findChild<CHoverIconButton*>(ids::Name(ids::kMakePdfButton))->click();
    QApplication::processEvents();
    EXPECT_FALSE(dialogOpened);
    EXPECT_TRUE(window_->findChild<QWidget*>(ids::Name(ids::kMakePdfButton))->isEnabled());
    EXPECT_EQ(window_->ProgressPos(), 0);
}

}  // namespace
