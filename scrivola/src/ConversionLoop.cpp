#include "ConversionLoop.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>

#include "OutputNames.h"
#include "drivers/ConvertDocument.h"
#include "platform/DebugLog.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Shell.h"

namespace scrivola {
namespace {

constexpr char kPdfExtension[] = ".pdf";
constexpr char kProgressPrefix[] = "Folivosoft Inc: ";
constexpr int kProgressStart = 99;
constexpr int kProgressStep = 100;

// Temporary folders still in use. The missing-printer prompt ends the
// process in the middle of a job, so they are also removed at exit.
std::vector<std::string>& LiveTemporaryFolders() {
    static std::vector<std::string> folders;
    return folders;
}

void RemoveLiveTemporaryFolders() {
    for (const std::string& folder : LiveTemporaryFolders()) {
        platform::RemoveTree(folder);
    }
    LiveTemporaryFolders().clear();
}

// A private folder for one job's temporary working output, removed with
// everything the printer put into it, whatever happens to the job.
class TemporaryFolder {
  public:
    TemporaryFolder() = default;
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    ~TemporaryFolder() {
        if (m_path) {
            platform::RemoveTree(*m_path);
            auto& live = LiveTemporaryFolders();
            live.erase(std::remove(live.begin(), live.end(), *m_path), live.end());
        }
    }

    // A working output name in a fresh private folder; nothing on failure.
    std::optional<std::string> MakeWorkingOutput(const std::string& extension) {
        static const bool cleanupRegistered = [] {
            LiveTemporaryFolders();  // constructed before the handler, so it outlives it
            return std::atexit(&RemoveLiveTemporaryFolders) == 0;
        }();
        (void)cleanupRegistered;
        m_path = platform::CreateTempDirectory("scrivola-");
        if (!m_path) {
            return std::nullopt;
        }
        LiveTemporaryFolders().push_back(*m_path);
        auto name = MakeTempOutputName(extension, *m_path);
        if (name) {
            // The folder keeps the name ours; the empty placeholder must go,
            // or the wait for the printed file would take it for the result.
            platform::DeleteFile(*name);
        }
        return name;
    }

  private:
    std::optional<std::string> m_path;
};

void WriteProgress(std::FILE* output, int value) {
    std::fprintf(output, "%s%d\n", kProgressPrefix, value);
    std::fflush(output);
}

void WriteResultLine(std::FILE* output, const std::string& input, const std::string& finalOutput,
                     int result) {
    // Paths are written as text, never read as format directives.
    std::fputs(input.c_str(), output);
    std::fputs(" ==> ", output);
    std::fputs(finalOutput.c_str(), output);
    std::fprintf(output, ", result=%d\n", result);
}

// Why the job must not run, or nothing when it can.
std::optional<std::string> RefusalOf(const ConversionJob& job, const ConversionSettings& settings,
                                     const std::string& extension) {
    if (!job.refusal.empty()) {
        return job.refusal;
    }
    if (platform::IsSameFile(job.input, job.output)) {
        return "the output is the document itself";
    }
    const bool extends = settings.collisionMode == CollisionMode::kInsert ||
                         settings.collisionMode == CollisionMode::kAppend;
    if (extends && platform::PathExists(job.output) &&
        !platform::EqualsIgnoreCase(extension, kPdfExtension)) {
        return "pages are inserted or appended into PDF files only; " + job.output +
               " stays as it is";
    }
    return std::nullopt;
}

// A failed step's reason on standard error (the front end's debug channel
// shows it) and on the debug channel.
void ReportFailure(const std::string& input, const std::string& reason) {
    platform::ReportProblem("scrivola: " + input + ": " + reason);
}

int RunJob(const ConversionJob& job, const ConversionSettings& settings,
           const JobServices& services) {
    std::string finalOutput = job.output;
    const std::string extension = platform::SplitPath(finalOutput).extension;
    std::string workingOutput;
    TemporaryFolder temporaryFolder;

    if (const std::optional<std::string> refusal = RefusalOf(job, settings, extension)) {
        ReportFailure(job.input, *refusal);
        WriteResultLine(services.output, job.input, finalOutput, 0);
        return 0;
    }
    if (!platform::PathExists(finalOutput)) {
        workingOutput = finalOutput;
    } else {
        switch (settings.collisionMode) {
            case CollisionMode::kOverwrite:
                workingOutput = finalOutput;  // the printer replaces the file
                break;
            case CollisionMode::kRename: {
                std::string freeName = finalOutput;
                if (MakeFreeName(freeName)) {
                    finalOutput = workingOutput = freeName;
                }
                break;
            }
            case CollisionMode::kInsert:
            case CollisionMode::kAppend:
                workingOutput = temporaryFolder.MakeWorkingOutput(extension).value_or("");
                break;
            default:
                break;  // an unknown mode names no file: the job fails at once
        }
    }

    int result = workingOutput.empty() ? 0 : services.convert(job.input, workingOutput);

    if (!workingOutput.empty() && platform::EqualsIgnoreCase(extension, kPdfExtension)) {
        if (result != 0 && !SetDocumentInfo(workingOutput, settings, services.toolkit)) {
            ReportFailure(job.input, "the document information could not be set");
            result = 0;
        }
        if (!platform::EqualsIgnoreCase(workingOutput, finalOutput) &&
            platform::PathExists(workingOutput)) {
            if (result != 0 &&
                !MergeIntoOutput(workingOutput, finalOutput, settings, services.toolkit)) {
                ReportFailure(job.input, "its pages could not be merged into " + finalOutput +
                                             ", which stays as it was");
                result = 0;
            }
            platform::DeleteFile(workingOutput);
        }
    }
    if (result != 0 && settings.viewAfterConversion) {
        services.openDocument(finalOutput);
    }
    WriteResultLine(services.output, job.input, finalOutput, result);
    return result;
}

}  // namespace

JobServices DefaultJobServices() {
    JobServices services;
    services.convert = [](const std::string& input, const std::string& workingOutput) {
        return ConvertDocument(input, workingOutput);
    };
    services.toolkit = DefaultToolkit();
    services.openDocument = &platform::ShellOpenDocument;
    return services;
}

int RunJobs(const JobList& jobs, const ConversionSettings& settings, const JobServices& services,
            int* failedJobs) {
    const int count = static_cast<int>(jobs.size());
    int failures = 0;
    int result = 1;
    int progress = kProgressStart;
    for (const ConversionJob& job : jobs) {
        if (count > 1) {
            WriteProgress(services.output, progress / count);
        }
        result = RunJob(job, settings, services);
        if (result == 0) {
            ++failures;
        }
        progress += kProgressStep;
    }
    if (failedJobs) {
        *failedJobs = failures;
    }
    return result;
}

int RunJobs(const JobList& jobs, const ConversionSettings& settings) {
    return RunJobs(jobs, settings, DefaultJobServices());
}

}  // namespace scrivola
