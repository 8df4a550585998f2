#include "ConversionLoop.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>

#include "OutputNames.h"
#include "drivers/ConvertDocument.h"
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

int RunJob(const ConversionJob& job, const ConversionSettings& settings,
           const JobServices& services) {
    std::string finalOutput = job.output;
    const std::string extension = platform::SplitPath(finalOutput).extension;
    std::string workingOutput;
    TemporaryFolder temporaryFolder;

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

    const int result = workingOutput.empty() ? 0 : services.convert(job.input, workingOutput);

    if (!workingOutput.empty() && platform::EqualsIgnoreCase(extension, kPdfExtension)) {
        SetDocumentInfo(workingOutput, settings, services.toolkit);
        if (!platform::EqualsIgnoreCase(workingOutput, finalOutput) &&
            platform::PathExists(workingOutput)) {
            MergeIntoOutput(workingOutput, finalOutput, settings, services.toolkit);
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
