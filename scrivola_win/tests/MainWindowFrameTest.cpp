// The main window's layout, its commands carried out elsewhere, the
// converting state, the About box and Help.
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTimer>
#include <thread>

#include "CAboutDlg.h"
#include "MainWindowFixture.h"
#include "ProductInfo.h"
#include "platform/ProgramPath.h"
#include "widgets/CHoverIconButton.h"
#include "widgets/CHyperlinkLabel.h"
#include "widgets/CPercentProgressCtrl.h"
#include "widgets/DialogUnits.h"

namespace {

struct Placement {
    int id;
    QRect dialogUnits;  // x, y, width, height
};

const Placement kPlacements[] = {
    {ids::kDocumentList, {7, 7, 370, 163}},   {ids::kAddFilesButton, {7, 175, 52, 35}},
    {ids::kSettingButton, {60, 175, 52, 35}}, {ids::kMakePdfButton, {113, 175, 52, 35}},
    {ids::kMoveUpButton, {166, 175, 52, 35}}, {ids::kMoveDownButton, {219, 175, 52, 35}},
    {ids::kCloseButton, {272, 175, 52, 35}},  {ids::kProgressBar, {7, 214, 370, 12}},
};

TEST_F(WinMainWindowTest, ControlsFollowTheirAnchorsAndReturnToTheTemplate) {
    const DialogUnits du = DialogUnits::ForFont(m_window->font());
    const int menuHeight = m_window->MainMenuBar()->height();
    const QSize minimum = m_window->minimumSize();
    EXPECT_EQ(minimum,
              QSize(du.ToPixels(384, 233).width(), du.ToPixels(384, 233).height() + menuHeight));
    // It opens larger than its template.
    EXPECT_GT(m_window->width(), minimum.width() * 13 / 10);
    EXPECT_GT(m_window->height(), minimum.height() * 13 / 10);

    const auto templateRect = [&](const Placement& p) {
        const QRect r = p.dialogUnits;
        return du.ToPixels(r.x(), r.y(), r.width(), r.height()).translated(0, menuHeight);
    };
    const auto expectAt = [&](int dx, int dy) {
        for (const Placement& p : kPlacements) {
            QRect expected = templateRect(p);
            if (p.id == ids::kDocumentList) {
                expected.adjust(0, 0, dx, dy);
            } else if (p.id == ids::kProgressBar) {
                expected.adjust(0, dy, dx, dy);
            } else {
                expected.translate(0, dy);
            }
            EXPECT_EQ(Control(p.id)->geometry(), expected) << p.id << " at +" << dx << ",+" << dy;
        }
    };

    m_window->resize(minimum.width() + 300, minimum.height() + 120);
    QApplication::processEvents();
    expectAt(300, 120);

    m_window->resize(minimum);
    QApplication::processEvents();
    expectAt(0, 0);

    m_window->resize(minimum.width() - 50, minimum.height() - 50);
    QApplication::processEvents();
    EXPECT_EQ(m_window->size(), minimum);
}

TEST_F(WinMainWindowTest, ButtonsCarryIconsAndHoverColour) {
    const struct {
        int id;
        const char* caption;
    } buttons[] = {{ids::kAddFilesButton, "Add File(s)"}, {ids::kSettingButton, "Setting"},
                   {ids::kMakePdfButton, "Make PDF"},     {ids::kMoveUpButton, "Move Up"},
                   {ids::kMoveDownButton, "Move Down"},   {ids::kCloseButton, "Close"}};
    for (const auto& b : buttons) {
        auto* button = Control<CHoverIconButton>(b.id);
        ASSERT_NE(button, nullptr) << b.id;
        EXPECT_EQ(button->text(), QString::fromUtf8(b.caption));
        EXPECT_EQ(button->HoverFillColor(), QColor(220, 220, 220));
        EXPECT_TRUE(button->IsFlatLook());
        EXPECT_EQ(button->IconPlacement(), 1);
    }
    EXPECT_FALSE(m_window->windowIcon().isNull());
    EXPECT_EQ(m_window->windowTitle(), QStringLiteral("Folivo Document Converter v2.1"));
    auto* progress = Control<CPercentProgressCtrl>(ids::kProgressBar);
    EXPECT_EQ(progress->BarUpper(), 100);
    EXPECT_TRUE(progress->ShowsPercentage());
}

TEST_F(WinMainWindowTest, SettingsAndMonitorGoToTheirOwners) {
    EXPECT_EQ(m_commands->monitorStarts, 1);
    EXPECT_EQ(m_window->findChild<QAction*>(ids::Name(ids::kMonitor))->text(),
              QStringLiteral("&Monitor A Special Directory (Stoped) ..."));

    Control<CHoverIconButton>(ids::kSettingButton)->click();
    m_window->findChild<QAction*>(ids::Name(ids::kSettings))->trigger();
    m_window->findChild<QAction*>(ids::Name(ids::kMonitor))->trigger();
    EXPECT_EQ(m_commands->settings, 2);
    EXPECT_EQ(m_commands->monitor, 1);
    // The console converter is looked for beside this program.
    EXPECT_EQ(m_window->ConverterPath(), platform::RunningProgramDirectory() + "scrivola");
}

TEST_F(WinMainWindowTest, MakePdfDisablesTheButtonsAndDefersAClose) {
    std::vector<bool> enabledDuring;
    m_commands->duringMakePdf = [&](CConverterDlg& window) {
        for (int id : {ids::kAddFilesButton, ids::kSettingButton, ids::kMakePdfButton,
                       ids::kMoveUpButton, ids::kMoveDownButton, ids::kCloseButton}) {
            enabledDuring.push_back(Control(id)->isEnabled());
        }
        window.SetProgressPos(60);
        EXPECT_EQ(window.ProgressPos(), 60);
        window.close();  // the close box while converting
        EXPECT_TRUE(window.isVisible());
    };
    AddFiles({MakeFile("report.doc")});
    Control<CHoverIconButton>(ids::kMakePdfButton)->click();
    EXPECT_EQ(m_commands->makePdf, 1);
    EXPECT_EQ(enabledDuring, std::vector<bool>(6, false));
    EXPECT_EQ(m_window->ProgressPos(), 0);
    EXPECT_TRUE(Control(ids::kCloseButton)->isEnabled());
    EXPECT_FALSE(m_window->isVisible()) << "the close waits for Make PDF, then happens";
    EXPECT_EQ(m_commands->closings, 1);
}

TEST_F(WinMainWindowTest, MakePdfWithAnEmptyListDoesNothing) {
    m_window->SetProgressPos(30);
    Control<CHoverIconButton>(ids::kMakePdfButton)->click();
    EXPECT_EQ(m_commands->makePdf, 0);
    EXPECT_EQ(m_window->ProgressPos(), 30);
}

TEST_F(WinMainWindowTest, ProgressFromAnotherThreadReachesTheBar) {
    std::thread monitor([&] { m_window->SetProgressPos(42); });
    monitor.join();
    QApplication::processEvents();
    EXPECT_EQ(m_window->ProgressPos(), 42);
}

TEST_F(WinMainWindowTest, AboutBoxShowsLinksAndBuildDetails) {
    bool inspected = false;
    QTimer::singleShot(0, [&] {
        auto* about = qobject_cast<CAboutDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(about, nullptr);
        EXPECT_EQ(about->windowTitle(), product::kCaption);
        EXPECT_EQ(about->findChild<CHyperlinkLabel*>("1004")->LinkTarget(), product::kWebAddress);
        EXPECT_EQ(about->findChild<CHyperlinkLabel*>("1005")->LinkTarget(),
                  "mailto:" + product::kSupportAddress);
        auto* details = about->findChild<QPlainTextEdit*>("1046");
        EXPECT_TRUE(details->isReadOnly());
        EXPECT_EQ(
            details->toPlainText().split('\n'),
            (QStringList{"Build: Aug 15 2005", "", product::kMakerLine,
                         "Web: " + product::kWebAddress, "Email: " + product::kSupportAddress}));
        inspected = true;
        about->findChild<QPushButton*>("1")->click();
    });
    m_window->findChild<QAction*>(ids::Name(ids::kAbout))->trigger();
    EXPECT_TRUE(inspected);
}

TEST_F(WinMainWindowTest, HelpSupportAndWebOpenTheirTargets) {
    m_window->findChild<QAction*>(ids::Name(ids::kHelp))->trigger();
    m_window->findChild<QAction*>(ids::Name(ids::kTechnicalSupport))->trigger();
    m_window->findChild<QAction*>(ids::Name(ids::kWebPage))->trigger();
    const auto opened = OpenedPaths();
    ASSERT_EQ(opened.size(), 3u);
    EXPECT_EQ(std::filesystem::path(opened[0]).filename(), "help.htm");
    EXPECT_TRUE(std::filesystem::exists(opened[0])) << "help.htm lies beside the program";
    EXPECT_EQ(opened[1], ("mailto:" + product::kSupportAddress).toStdString());
    EXPECT_EQ(opened[2], product::kWebAddress.toStdString());
}

TEST_F(WinMainWindowTest, CloseAndExitEndTheWindow) {
    m_window->findChild<QAction*>(ids::Name(ids::kExit))->trigger();
    EXPECT_FALSE(m_window->isVisible());
    m_window->show();
    Control<CHoverIconButton>(ids::kCloseButton)->click();
    EXPECT_FALSE(m_window->isVisible());
    EXPECT_EQ(m_window->result(), QDialog::Accepted);
}

}  // namespace
