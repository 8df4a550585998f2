#pragma once
// A main window in a private home, with recorders in place of the dialogs,
// the commands other parts carry out, and the shell's "open" verb.
#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QTest>
#include <deque>
#include <fstream>
#include <memory>
#include <optional>

#include "CConverterDlg.h"
#include "CommandDialogs.h"
#include "FrontEndCommands.h"
#include "MainWindowIds.h"
#include "testing/PrivateHome.h"
#include "widgets/CSortListCtrl.h"

// Answers the dialogs in order, as a user would; counts the questions.
class ScriptedDialogs : public CommandDialogs {
  public:
    std::optional<std::vector<std::string>> ChooseDocuments(
        QWidget*, const std::string& initialDir) override {
        ++documentQuestions;
        lastInitialDir = initialDir;
        if (documentAnswers.empty()) {
            return std::nullopt;
        }
        auto answer = documentAnswers.front();
        documentAnswers.pop_front();
        return answer;
    }
    std::optional<std::string> ChooseFolder(QWidget*, const std::string& initialFolder) override {
        ++folderQuestions;
        lastInitialDir = initialFolder;
        if (folderAnswers.empty()) {
            return std::nullopt;
        }
        auto answer = folderAnswers.front();
        folderAnswers.pop_front();
        return answer;
    }

    std::deque<std::optional<std::vector<std::string>>> documentAnswers;
    std::deque<std::optional<std::string>> folderAnswers;
    int documentQuestions = 0;
    int folderQuestions = 0;
    std::string lastInitialDir;
};

class RecordingCommands : public FrontEndCommands {
  public:
    void MakePdf(CConverterDlg& window) override {
        ++makePdf;
        if (duringMakePdf) {
            duringMakePdf(window);
        }
    }
    void OpenSettings(CConverterDlg&) override { ++settings; }
    void OpenMonitor(CConverterDlg&) override { ++monitor; }
    void StartMonitor(CConverterDlg& window) override {
        ++monitorStarts;
        window.SetMonitorMenuText(QStringLiteral("&Monitor A Special Directory (Stoped) ..."));
    }
    void WindowClosing(CConverterDlg&) override { ++closings; }

    std::function<void(CConverterDlg&)> duringMakePdf;
    int makePdf = 0;
    int settings = 0;
    int monitor = 0;
    int monitorStarts = 0;
    int closings = 0;
};

class WinMainWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // The shell's "open" verb writes what it was asked to open to a log.
        m_openLog = m_home.Root() / "opened.log";
        const auto recorder = m_home.Root() / "record-open.sh";
        std::ofstream(recorder) << "#!/bin/sh\nprintf '%s\\n' \"$1\" >> '" << m_openLog.string()
                                << "'\n";
        std::filesystem::permissions(recorder, std::filesystem::perms::owner_all);
        setenv("SCRIVOLA_OPEN_COMMAND", recorder.c_str(), 1);

        m_dialogs = std::make_shared<ScriptedDialogs>();
        m_commands = std::make_shared<RecordingCommands>();
        m_window = std::make_unique<CConverterDlg>(m_commands, m_dialogs);
        m_window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_window.get()));
    }
    void TearDown() override {
        m_window.reset();
        unsetenv("SCRIVOLA_OPEN_COMMAND");
    }

    CSortListCtrl& List() { return *m_window->DocumentList(); }

    template <typename T = QWidget>
    T* Control(int id) {
        return m_window->findChild<T*>(ids::Name(id));
    }

    // A file of the given size in the test's folder.
    std::string MakeFile(const std::string& relativePath, std::size_t bytes = 10) {
        const auto path = m_home.Files() / relativePath;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path) << std::string(bytes, 'x');
        return path.string();
    }

    void AddFiles(const std::vector<std::string>& paths) {
        m_dialogs->documentAnswers.push_back(paths);
        m_window->AddFilesCommand();
    }

    std::vector<std::string> Column(int column) {
        std::vector<std::string> texts;
        for (int row = 0; row < List().RowCount(); ++row) {
            texts.push_back(List().ItemText(row, column).toStdString());
        }
        return texts;
    }

    std::vector<std::string> OpenedPaths() {
        std::vector<std::string> lines;
        std::ifstream in(m_openLog);
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line);
        }
        return lines;
    }

    void ClickHeader(int column) {
        QHeaderView* header = List().horizontalHeader();
        const QPoint inside(header->sectionViewportPosition(column) + 10, header->height() / 2);
        QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier, inside);
    }

    void Key(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
    }

    void Select(std::initializer_list<int> rows) {
        List().ClearRowSelection();
        for (int row : rows) {
            List().SetRowSelected(row, true);
        }
    }

    testsupport::PrivateHome m_home;
    std::filesystem::path m_openLog;
    std::shared_ptr<ScriptedDialogs> m_dialogs;
    std::shared_ptr<RecordingCommands> m_commands;
    std::unique_ptr<CConverterDlg> m_window;
};
