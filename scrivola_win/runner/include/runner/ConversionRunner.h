#pragma once
// Make PDF and the conversions behind it: turns the document list into
// (input, output) pairs, runs the console converter for each, drives the
// progress bar from its output, then encrypts and opens each result as the
// settings say. The directory monitor converts through RunConversion too,
// from its own thread.
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runner/OutputChooser.h"
#include "runner/OutputNaming.h"
#include "runner/RunnerHost.h"

class QObject;

namespace runner {

// The encryption engine's entry: (input, output, key bits, permission bits,
// owner password, user password), 1 on success.
using EncryptFunction =
    std::function<int(const char*, const char*, int, int, const char*, const char*)>;

class ConversionRunner {
  public:
    // Construct on the UI thread; `host` must outlive the runner.
    explicit ConversionRunner(RunnerHost& host);
    ~ConversionRunner();
    ConversionRunner(const ConversionRunner&) = delete;
    ConversionRunner& operator=(const ConversionRunner&) = delete;

    // Replaces the dialogs and the encryption engine (tests).
    void SetOutputChooser(std::shared_ptr<OutputChooser> chooser);
    void SetEncryptFunction(EncryptFunction encrypt);

    // The "Make PDF" button: nothing for an empty list; otherwise the
    // command buttons are disabled while MakePdf runs and the progress bar
    // goes back to 0 afterwards, however it ended.
    void MakePdfCommand();
    void MakePdf();

    // Any thread. Prepares the output for the destination mode, runs the
    // converter and finishes the output.
    void RunConversion(const std::string& inputPath, const std::string& outputPath);
    void RunConverterProcess(const std::string& commandLine);
    void HandleConverterOutput(std::string_view chunk);
    void FinishOutputFile(const std::string& outputPath);

    static std::string MakeFreeName(std::string_view path);
    static std::optional<std::string> ChooseOutputFolder(QWidget* owner);
    void StepProgress(int step, int steps);
    // Handles the UI thread's waiting events; does nothing on other threads,
    // whose queue the runner never fills.
    static void PumpPendingMessages();
    static float PaperWidthMm(int row);
    static float PaperHeightMm(int row);

  private:
    enum class OutputKind { kFile, kFolder };
    // Save mode "ask the user": the save dialog (one file) or the folder
    // picker replaces the target for this run. False when cancelled.
    bool AskForTarget(scrivola_win::SaveMode saveMode, OutputKind kind, std::string& target);
    void MakeCombinedPdf(const std::vector<DocumentRow>& rows, scrivola_win::SaveMode saveMode,
                         std::string target);
    void MakePdfPerDocument(const std::vector<DocumentRow>& rows, scrivola_win::SaveMode saveMode,
                            std::string target);
    void MakePdfPerFolder(scrivola_win::SaveMode saveMode, std::string target);
    std::vector<DocumentRow> SnapshotRows() const;
    // Sets the bar from any thread; from others it is queued to the UI thread.
    void SetProgress(int percent);

    RunnerHost& m_host;
    std::shared_ptr<OutputChooser> m_chooser;
    EncryptFunction m_encrypt;
    // Lives on the UI thread; progress from other threads is queued to it,
    // and dropped once the runner is gone.
    std::unique_ptr<QObject> m_uiContext;
};

}  // namespace runner
