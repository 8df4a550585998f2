#include "JobList.h"

#include "ListFile.h"
#include "OutputNames.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Wildcard.h"

namespace scrivola {
namespace {

constexpr char kListFileExtension[] = ".ver";
constexpr char kDefaultOutputExtension[] = ".pdf";
constexpr char kEveryFilePattern[] = "*.*";

bool IsListFile(const std::string& inputSpec) {
    return platform::EqualsIgnoreCase(platform::SplitPath(inputSpec).extension, kListFileExtension);
}

// Only a '*' in the name part selects the pattern form.
bool IsPattern(const std::string& inputSpec) {
    return platform::SplitPath(inputSpec).name.find('*') != std::string::npos;
}

// All documents of a list go into one output: an overwrite starts it afresh
// and a rename picks a free name once, then every document is appended.
void BuildListFileJobs(const std::string& listPath, std::string& outputSpec,
                       ConversionSettings& settings, JobList& jobs) {
    const std::size_t before = jobs.size();
    if (ReadListFile(listPath, outputSpec, jobs) == before) {
        return;  // nothing to convert: an existing output stays untouched
    }
    const bool outputExists = platform::PathExists(outputSpec);
    if (settings.collisionMode == CollisionMode::kOverwrite) {
        if (outputExists) {
            platform::DeleteFile(outputSpec);
        }
        settings.collisionMode = CollisionMode::kAppend;
    } else if (settings.collisionMode == CollisionMode::kRename) {
        if (outputExists && !MakeFreeName(outputSpec)) {
            // Every free name is taken: the mode stays, and each job fails
            // when it finds no free name either.
            return;
        }
        settings.collisionMode = CollisionMode::kAppend;
    }
    for (std::size_t i = before; i < jobs.size(); ++i) {
        jobs[i].output = outputSpec;
    }
}

bool NamesOneFile(const std::string& outputSpec) {
    return !outputSpec.empty() && !platform::IsDirectory(outputSpec) &&
           platform::SplitPath(outputSpec).name.find('*') == std::string::npos;
}

}  // namespace

void BuildJobList(std::string& inputSpec, std::string& outputSpec, ConversionSettings& settings,
                  JobList& jobs) {
    if (IsListFile(inputSpec)) {
        BuildListFileJobs(inputSpec, outputSpec, settings, jobs);
        return;
    }
    if (platform::IsDirectory(inputSpec)) {
        inputSpec = platform::WithTrailingSlash(inputSpec) + kEveryFilePattern;
    }
    if (IsPattern(inputSpec)) {
        ExpandPattern(inputSpec, jobs);
        return;
    }
    // Whether the document exists is found out when its job runs.
    jobs.push_back({inputSpec, std::string()});
}

std::size_t ExpandPattern(const std::string& pattern, JobList& jobs) {
    const platform::PathParts parts = platform::SplitPath(pattern);
    for (const std::string& name :
         platform::FindMatchingNames(parts.directory, parts.name + parts.extension)) {
        std::string path = parts.directory + name;
        const auto status = platform::GetFileStatus(path);
        if (!status || status->isDirectory) {
            continue;  // also drops "." and ".."
        }
        jobs.push_back({std::move(path), std::string()});
    }
    return jobs.size();
}

void AssignOutputNames(JobList& jobs, const std::string& outputSpec) {
    if (jobs.size() == 1 && !jobs.front().output.empty()) {
        return;
    }
    if (jobs.size() == 1 && NamesOneFile(outputSpec)) {
        jobs.front().output = outputSpec;
        return;
    }
    if (jobs.size() == 1 && outputSpec.empty()) {
        // One document and no output named: the PDF goes beside it.
        const platform::PathParts input = platform::SplitPath(jobs.front().input);
        jobs.front().output = input.directory + input.name + kDefaultOutputExtension;
        return;
    }

    // Several jobs, or one job with a directory or a pattern for its output.
    const platform::PathParts output = platform::SplitPath(outputSpec);
    std::string base = platform::IsDirectory(outputSpec) ? outputSpec : output.directory;
    base = base.empty() ? std::string("/") : platform::WithTrailingSlash(base);
    const std::string extension = output.extension.empty() || platform::IsDirectory(outputSpec)
                                      ? kDefaultOutputExtension
                                      : output.extension;
    for (ConversionJob& job : jobs) {
        if (job.output.empty()) {
            job.output = base + platform::SplitPath(job.input).name + extension;
        }
    }
}

}  // namespace scrivola
