// The main window with the real settings sheet, monitor and runner behind
// its commands.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <filesystem>
#include <fstream>
#include <string>

#include "CConverterDlg.h"
#include "FrontEndWiring.h"
#include "MainWindowIds.h"
#include "pages/CPropertySheetWithLogoDlg.h"
#include "platform/Spooler.h"
#include "testing/PrivateHome.h"
#include "widgets/CHoverIconButton.h"

namespace {

class WinFrontEndWiringTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_window = std::make_unique<CConverterDlg>(CreateFrontEndCommands());
        m_window->show();
    }

    QString MonitorText() {
        return m_window->findChild<QAction*>(ids::Name(ids::kMonitor))->text();
    }

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

    testsupport::PrivateHome m_home;
    std::unique_ptr<CConverterDlg> m_window;
};

TEST_F(WinFrontEndWiringTest, SettingsAndMonitorOpenTheirSheets) {
    EXPECT_EQ(MonitorText(), QStringLiteral("&Monitor A Special Directory (Stoped) ..."));

    EXPECT_EQ(CancelSheetOpenedBy([&] {
                  m_window->findChild<CHoverIconButton*>(ids::Name(ids::kSettingButton))->click();
              }),
              4);
    EXPECT_EQ(CancelSheetOpenedBy(
                  [&] { m_window->findChild<QAction*>(ids::Name(ids::kMonitor))->trigger(); }),
              1);
    EXPECT_EQ(MonitorText(), QStringLiteral("&Monitor A Special Directory (Stoped) ..."));
}

TEST_F(WinFrontEndWiringTest, MakePdfWithAnEmptyListDoesNothing) {
    bool dialogOpened = false;
    QTimer::singleShot(0, [&] {
        if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != m_window.get()) {
            dialogOpened = true;
            modal->close();
        }
    });
    m_window->findChild<CHoverIconButton*>(ids::Name(ids::kMakePdfButton))->click();
    QApplication::processEvents();
    EXPECT_FALSE(dialogOpened);
    EXPECT_TRUE(m_window->findChild<QWidget*>(ids::Name(ids::kMakePdfButton))->isEnabled());
    EXPECT_EQ(m_window->ProgressPos(), 0);
}

// What Make PDF showed: the missing-printer question (answered with
// `answer`) and whether a dialog asking for the output came after it.
struct MakePdfDialogs {
    QString question;
    bool askedForOutput = false;
};

MakePdfDialogs PressMakePdf(CConverterDlg& window, QMessageBox::StandardButton answer) {
    MakePdfDialogs seen;
    const auto closeOutputDialog = [&seen] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            seen.askedForOutput = true;
            dialog->reject();
        }
    };
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            seen.question = box->text();
            QTimer::singleShot(0, closeOutputDialog);
            box->button(answer)->click();
        } else {
            closeOutputDialog();
        }
    });
    window.findChild<CHoverIconButton*>(ids::Name(ids::kMakePdfButton))->click();
    QApplication::processEvents();
    return seen;
}

TEST_F(WinFrontEndWiringTest, MakePdfWithoutThePrinterAsksAboutItAndConvertsNothing) {
    const std::filesystem::path document = m_home.Files() / "report.doc";
    std::ofstream(document) << "x";
    const std::filesystem::path opened = m_home.Files() / "opened.txt";
    const std::filesystem::path recorder = m_home.Files() / "open.sh";
    std::ofstream(recorder) << "#!/bin/sh\necho \"$1\" >> '" << opened.string() << "'\n";
    std::filesystem::permissions(recorder, std::filesystem::perms::owner_all);
    setenv("SCRIVOLA_OPEN_COMMAND", recorder.c_str(), 1);
    m_window->AddDocumentsToList({document.string()});

    const QString question = QStringLiteral(
        "Can't locate the 'Folivo Converter and Creator Printer' in this computer.Would you like "
        "to download it from 'https://scrivola.example.org/' site?");
    MakePdfDialogs no = PressMakePdf(*m_window, QMessageBox::No);
    EXPECT_EQ(no.question, question);
    EXPECT_FALSE(no.askedForOutput);
    EXPECT_FALSE(std::filesystem::exists(opened));

    MakePdfDialogs yes = PressMakePdf(*m_window, QMessageBox::Yes);
    EXPECT_EQ(yes.question, question);
    EXPECT_FALSE(yes.askedForOutput);
    std::ifstream log(opened);
    std::string target;
    std::getline(log, target);
    EXPECT_EQ(target, "https://scrivola.example.org/printer/");
    unsetenv("SCRIVOLA_OPEN_COMMAND");

    EXPECT_TRUE(m_window->findChild<QWidget*>(ids::Name(ids::kMakePdfButton))->isEnabled());
}

TEST_F(WinFrontEndWiringTest, MakePdfWithThePrinterGoesStraightToTheOutput) {
    const std::filesystem::path document = m_home.Files() / "report.doc";
    std::ofstream(document) << "x";
    m_window->AddDocumentsToList({document.string()});
    ASSERT_TRUE(platform::Spooler::CurrentUser().InstallPrinter("Folivo Converter and Creator",
                                                                "/bin/true"));

    MakePdfDialogs seen = PressMakePdf(*m_window, QMessageBox::No);
    EXPECT_TRUE(seen.question.isEmpty());
    EXPECT_TRUE(seen.askedForOutput);
}

}  // namespace
