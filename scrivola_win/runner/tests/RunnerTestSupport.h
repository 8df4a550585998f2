#pragma once
// Pieces shared by the runner's tests: a main-window stand-in that records
// what the runner does to it, scripted answers for the output dialogs, the
// fake converter's log and the outside PDF tools.
#include <QApplication>
#include <QString>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "platform/Process.h"
#include "runner/OutputChooser.h"
#include "runner/OutputNaming.h"
#include "runner/RunnerHost.h"

inline QApplication& GuiApplication() {
    static int argc = 1;
    static char name[] = "scrivola_runner_tests";
    static char* argv[] = {name, nullptr};
    // Windows are drawn off screen, whatever display the test run has.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static QApplication application(argc, argv);
    return application;
}

class RecordingHost : public runner::RunnerHost {
  public:
    int RowCount() const override { return static_cast<int>(rows.size()); }
    std::string RowFilename(int row) const override { return rows.at(Index(row)).filename; }
    std::string RowFilepath(int row) const override { return rows.at(Index(row)).filepath; }
    void SortByColumn(int column, bool ascending) override {
        sorts.push_back({column, ascending});
        // As the list sorts: by the column's text, ignoring letter case.
        std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
            return QString::fromStdString(a.filepath)
                       .compare(QString::fromStdString(b.filepath), Qt::CaseInsensitive) < 0;
        });
    }
    void SetProgressPosition(int percent) override {
        progress.push_back(percent);
        progressThreads.push_back(std::this_thread::get_id());
    }
    void SetCommandButtonsEnabled(bool enabled) override { buttons.push_back(enabled); }
    QWidget* OwnerWidget() override { return nullptr; }
    std::string ConverterPath() const override { return converter; }

    std::vector<runner::DocumentRow> rows;
    std::string converter;
    std::vector<std::pair<int, bool>> sorts;
    std::vector<int> progress;
    std::vector<std::thread::id> progressThreads;
    std::vector<bool> buttons;

  private:
    static std::size_t Index(int row) { return static_cast<std::size_t>(row); }
};

class ScriptedChooser : public runner::OutputChooser {
  public:
    std::optional<std::string> SaveFile(QWidget*) override {
        ++saveFileAsked;
        return saveFileAnswer;
    }
    std::optional<std::string> Folder(QWidget*) override {
        ++folderAsked;
        return folderAnswer;
    }
    std::optional<std::string> saveFileAnswer;
    std::optional<std::string> folderAnswer;
    int saveFileAsked = 0;
    int folderAsked = 0;
};

// One run of the fake converter as its log records it.
struct FakeRun {
    std::vector<std::string> arguments;  // argv, program first
    std::vector<std::string> listLines;  // the list file's lines, for list inputs

    std::string Option(const std::string& name) const {
        for (std::size_t i = 1; i + 1 < arguments.size(); ++i) {
            if (arguments[i] == name) {
                return arguments[i + 1];
            }
        }
        return "<missing " + name + ">";
    }
};

inline std::vector<FakeRun> ReadFakeRuns(const std::filesystem::path& log) {
    std::vector<FakeRun> runs;
    std::ifstream in(log);
    FakeRun current;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("ARG ", 0) == 0) {
            current.arguments.push_back(line.substr(4));
        } else if (line.rfind("LIST ", 0) == 0) {
            current.listLines.push_back(line.substr(5));
        } else if (line == "END") {
            runs.push_back(std::move(current));
            current = {};
        }
    }
    return runs;
}

inline std::vector<std::string> ReadLines(const std::filesystem::path& file) {
    std::vector<std::string> lines;
    std::ifstream in(file);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

struct ToolResult {
    int exitCode = -1;
    std::string output;
};

// Runs an outside program and collects what it writes.
inline ToolResult RunTool(const std::vector<std::string>& arguments) {
    platform::ProcessOptions options;
    options.captureOutput = true;
    std::optional<platform::Process> tool = platform::Process::StartArguments(arguments, options);
    if (!tool) {
        return {};
    }
    ToolResult result;
    result.output = tool->ReadAll();
    result.exitCode = tool->Wait();
    return result;
}

inline void Touch(const std::filesystem::path& file, const std::string& contents = "x") {
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file) << contents;
}
