#include "runner/ConversionRunner.h"

#include <QCoreApplication>
#include <QObject>
#include <QThread>

#include "ConverterProcess.h"
#include "ListFileFolder.h"
#include "PaperSizes.h"
#include "ProgressText.h"
#include "SetAsideOutput.h"
#include "pdfcrypt/EncryptPDFFile.h"
#include "platform/DebugLog.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Shell.h"
#include "runner/ConverterCommandLine.h"
#include "runner/FreeName.h"
#include "runner/RunnerSettings.h"

namespace runner {

using scrivola_win::DestinationMode;
using scrivola_win::MakePdfMode;
using scrivola_win::SaveMode;

namespace {

const std::string kEchoOpening = std::string(45, '>') + "\n";
const std::string kEchoClosing = std::string(45, '<') + "\n";

bool OnUiThread() {
    const QCoreApplication* application = QCoreApplication::instance();
    return application == nullptr || QThread::currentThread() == application->thread();
}

void DebugNote(std::string_view text) {
    platform::OutputDebugText(std::string(text) + "\n");
}

// Enables the command buttons and resets the bar however Make PDF ends.
class ConvertingState {
  public:
    explicit ConvertingState(RunnerHost& host) : m_host(host) {
        m_host.SetCommandButtonsEnabled(false);
    }
    ~ConvertingState() {
        m_host.SetCommandButtonsEnabled(true);
        m_host.SetProgressPosition(0);
    }
    ConvertingState(const ConvertingState&) = delete;
    ConvertingState& operator=(const ConvertingState&) = delete;

  private:
    RunnerHost& m_host;
};

}  // namespace

ConversionRunner::ConversionRunner(RunnerHost& host)
    : m_host(host),
      m_chooser(std::make_shared<DialogOutputChooser>()),
      m_encrypt(&EncryptPDFFile),
      m_uiContext(std::make_unique<QObject>()) {}

ConversionRunner::~ConversionRunner() = default;

void ConversionRunner::SetOutputChooser(std::shared_ptr<OutputChooser> chooser) {
    m_chooser = std::move(chooser);
}

void ConversionRunner::SetEncryptFunction(EncryptFunction encrypt) {
    m_encrypt = std::move(encrypt);
}

void ConversionRunner::MakePdfCommand() {
    if (m_host.RowCount() <= 0) {
        return;
    }
    ConvertingState converting(m_host);
    MakePdf();
}

std::vector<DocumentRow> ConversionRunner::SnapshotRows() const {
    // The rows are read once: the list stays usable while converting, and a
    // row deleted or moved meanwhile must not change what this run converts.
    std::vector<DocumentRow> rows;
    const int count = m_host.RowCount();
    rows.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (int row = 0; row < count; ++row) {
        rows.push_back({m_host.RowFilename(row), m_host.RowFilepath(row)});
    }
    return rows;
}

void ConversionRunner::MakePdf() {
    const scrivola_win::SaveModeRecord settings = scrivola_win::LoadSaveMode();
    switch (settings.makeMode) {
        case MakePdfMode::kCombineAll:
            MakeCombinedPdf(SnapshotRows(), settings.saveMode, settings.filenameOrPath);
            break;
        case MakePdfMode::kOnePerDocument:
            MakePdfPerDocument(SnapshotRows(), settings.saveMode, settings.filenameOrPath);
            break;
        case MakePdfMode::kOnePerFolder:
            MakePdfPerFolder(settings.saveMode, settings.filenameOrPath);
            break;
        default:
            DebugNote("Make PDF: unknown make mode " +
                      std::to_string(static_cast<int>(settings.makeMode)));
            break;
    }
}

bool ConversionRunner::AskForTarget(SaveMode saveMode, OutputKind kind, std::string& target) {
    if (saveMode != SaveMode::kAskUser) {
        return true;
    }
    std::optional<std::string> chosen = kind == OutputKind::kFile
                                            ? m_chooser->SaveFile(m_host.OwnerWidget())
                                            : m_chooser->Folder(m_host.OwnerWidget());
    if (!chosen) {
        return false;  // cancelled: Make PDF ends quietly
    }
    target = std::move(*chosen);
    return true;
}

void ConversionRunner::MakeCombinedPdf(const std::vector<DocumentRow>& rows, SaveMode saveMode,
                                       std::string target) {
    if (!AskForTarget(saveMode, OutputKind::kFile, target)) {
        return;
    }
    std::optional<ListFileFolder> folder = ListFileFolder::Create();
    if (!folder) {
        DebugNote("Make PDF: no folder for the list files");
        return;
    }
    std::vector<std::string> documents;
    const int count = static_cast<int>(rows.size());
    for (int row = 0; row < count; ++row) {
        StepProgress(row, count);
        const std::string path = rows[static_cast<std::size_t>(row)].FullPath();
        if (FitsOnListLine(path)) {
            documents.push_back(path);
        } else {
            DebugNote("Make PDF: path does not fit a list line, skipped: " + path);
        }
    }
    if (documents.empty()) {
        return;
    }
    const std::optional<std::string> listFile = folder->Write(CombinedListFileName(), documents);
    if (!listFile) {
        DebugNote("Make PDF: the list file cannot be written");
        return;
    }
    RunConversion(*listFile, target);
}

void ConversionRunner::MakePdfPerDocument(const std::vector<DocumentRow>& rows, SaveMode saveMode,
                                          std::string target) {
    if (!AskForTarget(saveMode, OutputKind::kFolder, target)) {
        return;
    }
    const int count = static_cast<int>(rows.size());
    for (int row = 0; row < count; ++row) {
        StepProgress(row, count);
        const std::string input = rows[static_cast<std::size_t>(row)].FullPath();
        RunConversion(input, PerDocumentOutput(input, saveMode, target));
    }
}

void ConversionRunner::MakePdfPerFolder(SaveMode saveMode, std::string target) {
    m_host.SortByColumn(kFilepathColumn, true);
    if (!AskForTarget(saveMode, OutputKind::kFolder, target)) {
        return;
    }
    std::optional<ListFileFolder> folder = ListFileFolder::Create();
    if (!folder) {
        DebugNote("Make PDF: no folder for the list files");
        return;
    }
    struct Conversion {
        std::string listFile;
        std::string output;
    };
    std::vector<Conversion> conversions;
    for (FolderGroup& group : GroupRowsByFolder(SnapshotRows())) {
        std::erase_if(group.documents, [](const std::string& path) {
            if (FitsOnListLine(path)) {
                return false;
            }
            DebugNote("Make PDF: path does not fit a list line, skipped: " + path);
            return true;
        });
        if (group.documents.empty()) {
            continue;
        }
        const std::optional<std::string> listFile =
            folder->Write(FolderListFileName(group.firstRow), group.documents);
        if (!listFile) {
            DebugNote("Make PDF: a list file cannot be written");
            return;
        }
        conversions.push_back({*listFile, PerFolderOutput(group.filepath, saveMode, target)});
    }
    const int count = static_cast<int>(conversions.size());
    for (int group = 0; group < count; ++group) {
        StepProgress(group, count);
        const Conversion& conversion = conversions[static_cast<std::size_t>(group)];
        RunConversion(conversion.listFile, conversion.output);
    }
}

void ConversionRunner::RunConversion(const std::string& inputPath, const std::string& outputPath) {
    // Longer paths do not fit the converter's path fields; cutting them
    // would name a different file.
    if (inputPath.size() > platform::kMaxPath || outputPath.size() > platform::kMaxPath) {
        DebugNote("Conversion refused, path too long: " + inputPath + " -> " + outputPath);
        return;
    }
    const ConverterOptions options = ReadConverterOptions();
    std::string output = outputPath;
    std::optional<SetAsideOutput> previousOutput;
    if (platform::PathExists(output)) {
        if (options.destinationMode == DestinationMode::kOverwrite) {
            // The converter must start from nothing (a list would otherwise
            // be added to the old file), but a failed conversion must not
            // cost the user the old file.
            previousOutput = SetAsideOutput::Take(output);
            if (!previousOutput) {
                platform::DeleteFile(output);
            }
        } else if (options.destinationMode == DestinationMode::kFreeName) {
            output = MakeFreeName(output);
        }
    }
    RunConverterProcess(
        BuildConverterCommandLine(m_host.ConverterPath(), output, inputPath, options));
    if (previousOutput && previousOutput->Settle()) {
        DebugNote("Conversion produced nothing; the previous file is kept: " + output);
        return;
    }
    FinishOutputFile(output);
}

void ConversionRunner::RunConverterProcess(const std::string& commandLine) {
    const bool started = RunChildWithOutput(
        commandLine, [this](std::string_view chunk) { HandleConverterOutput(chunk); },
        [] { PumpPendingMessages(); });
    if (!started) {
        DebugNote("The converter could not be started: " + commandLine);
    }
}

void ConversionRunner::HandleConverterOutput(std::string_view chunk) {
    platform::OutputDebugText(kEchoOpening);
    platform::OutputDebugText(chunk);
    platform::OutputDebugText(kEchoClosing);
    if (chunk.empty() || !FirstProgressNumber(chunk)) {
        return;
    }
    if (const std::optional<int> position = ProgressPositionOf(chunk)) {
        SetProgress(*position);
    }
    PumpPendingMessages();
}

void ConversionRunner::FinishOutputFile(const std::string& outputPath) {
    const bool view = scrivola_win::LoadBaseSetting().checkView.IsOn();
    const scrivola_win::EncryptRecord encryption = scrivola_win::LoadEncrypt();
    if (encryption.encrypt.IsOn()) {
        const int result = m_encrypt(
            outputPath.c_str(), outputPath.c_str(), encryption.level, PermissionBits(encryption),
            EffectiveOwnerPassword(encryption).c_str(), encryption.userPassword.c_str());
        if (result != 1) {
            DebugNote("Encryption failed: " + outputPath);
        }
    }
    if (view) {
        platform::ShellOpen(outputPath);
    }
}

std::string ConversionRunner::MakeFreeName(std::string_view path) {
    return runner::MakeFreeName(
        path, [](const std::string& candidate) { return platform::PathExists(candidate); });
}

std::optional<std::string> ConversionRunner::ChooseOutputFolder(QWidget* owner) {
    return runner::ChooseOutputFolder(owner);
}

void ConversionRunner::StepProgress(int step, int steps) {
    if (const std::optional<int> position = StepPosition(step, steps)) {
        SetProgress(*position);
    }
    PumpPendingMessages();
}

void ConversionRunner::PumpPendingMessages() {
    if (QCoreApplication::instance() != nullptr && OnUiThread()) {
        QCoreApplication::processEvents();
    }
}

float ConversionRunner::PaperWidthMm(int row) {
    return runner::PaperWidthMm(row);
}

float ConversionRunner::PaperHeightMm(int row) {
    return runner::PaperHeightMm(row);
}

void ConversionRunner::SetProgress(int percent) {
    if (OnUiThread()) {
        m_host.SetProgressPosition(percent);
        return;
    }
    RunnerHost* host = &m_host;
    QMetaObject::invokeMethod(
        m_uiContext.get(), [host, percent] { host->SetProgressPosition(percent); },
        Qt::QueuedConnection);
}

}  // namespace runner
