// The real Add Files and Add Directory dialogs, answered the way a user would.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QPushButton>
#include <QTimer>
#include <fstream>

#include "AddFilesRules.h"
#include "CConverterDlg.h"
#include "CommandDialogs.h"
#include "MainWindowIds.h"
#include "settings/SettingsKeys.h"
#include "testing/PrivateHome.h"
#include "widgets/CSortListCtrl.h"

namespace {

class WinCommandDialogsTest : public ::testing::Test {
  protected:
    std::string MakeDocument(const std::string& relativePath) {
        const auto path = m_home.Files() / relativePath;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path) << "x";
        return path.string();
    }

    // Runs `command`, which opens a modal dialog, and answers it with `answer`.
    template <typename Dialog>
    void Answer(const std::function<void()>& command, const std::function<void(Dialog*)>& answer) {
        bool answered = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = dynamic_cast<Dialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            answer(dialog);
            answered = true;
        });
        command();
        EXPECT_TRUE(answered);
    }

    testsupport::PrivateHome m_home;
};

TEST_F(WinCommandDialogsTest, AddFilesDialogOffersTheDocumentTypes) {
    const std::string folder = (m_home.Files() / "docs").string();
    std::filesystem::create_directories(folder);
    std::unique_ptr<QFileDialog> dialog(CreateAddFilesDialog(nullptr, folder));
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Folivo Document Converter"));
    EXPECT_EQ(dialog->fileMode(), QFileDialog::ExistingFiles);
    EXPECT_EQ(dialog->defaultSuffix(), QStringLiteral("PDF"));
    EXPECT_EQ(dialog->directory().absolutePath().toStdString(), folder);
    ASSERT_EQ(dialog->nameFilters().size(), 10);
    // The list shows each label alone; the first is chosen.
    EXPECT_EQ(dialog->selectedNameFilter().toStdString(),
              scrivola_win::AddFilesTypeFilters().front().label);
    EXPECT_TRUE(dialog->nameFilters().front().startsWith(
        QStringLiteral("ALL File(*doc;*.rtf;*.xls;*.ppt;*.vsd;*.docx;")));
    EXPECT_TRUE(dialog->nameFilters().front().contains(QStringLiteral(" (*doc *.rtf")));
}

TEST_F(WinCommandDialogsTest, AddFilesAndAddDirectoryThroughTheRealDialogs) {
    const std::string letter = MakeDocument("docs/letter.doc");
    MakeDocument("tree/sub/memo.rtf");
    CConverterDlg window;
    window.show();

    Answer<QFileDialog>([&] { window.AddFilesCommand(); },
                        [&](QFileDialog* dialog) {
                            dialog->selectFile(QString::fromStdString(letter));
                            QMetaObject::invokeMethod(dialog, "accept");
                        });
    ASSERT_EQ(window.RowCount(), 1);
    EXPECT_EQ(window.RowFullPath(0), letter);

    scrivola_win::WriteSetting(scrivola_win::settings::kAddDirectoryInitialDir,
                               (m_home.Files() / "tree").string());
    Answer<QDialog>(
        [&] { window.AddDirectoryCommand(); },
        [&](QDialog* picker) {
            picker->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
    ASSERT_EQ(window.RowCount(), 2);
    EXPECT_EQ(window.RowFullPath(1), (m_home.Files() / "tree/sub/memo.rtf").string());

    Answer<QDialog>([&] { window.AddDirectoryCommand(); },
                    [](QDialog* picker) { picker->reject(); });
    EXPECT_EQ(window.RowCount(), 2);
}

}  // namespace
