#include "JobList.h"

#include <optional>

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
// Moves the output to a new private name beside it; the name, or nothing
// when it could not be moved (the output then stays where it is).
std::optional<std::string> SetAside(const std::string& output) {
    const platform::PathParts parts = platform::SplitPath(output);
    const std::optional<std::string> aside = platform::CreateUniqueFile(
        parts.directory.empty() ? "." : parts.directory, ".scrivola-earlier-", parts.extension);
    if (!aside) {
        return std::nullopt;
    }
    if (!platform::RenameReplace(output, *aside)) {
        platform::DeleteFile(*aside);
        return std::nullopt;
    }
    return aside;
}

void BuildListFileJobs(const std::string& listPath, std::string& outputSpec,
                       ConversionSettings& settings, JobList& jobs, SetAsideOutput* setAside) {
    const std::size_t before = jobs.size();
    if (ReadListFile(listPath, outputSpec, jobs) == before) {
        return;  // nothing to convert: an existing output stays untouched
    }
    const bool outputExists = platform::PathExists(outputSpec);
    if (settings.collisionMode == CollisionMode::kOverwrite) {
        // The earlier output goes only once a new one is there.
        if (outputExists) {
            const std::optional<std::string> aside = SetAside(outputSpec);
            if (aside && setAside != nullptr) {
                *setAside = {outputSpec, *aside};
            } else if (aside) {
                platform::DeleteFile(*aside);
            }
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
                  JobList& jobs, SetAsideOutput* setAside) {
    if (IsListFile(inputSpec)) {
        BuildListFileJobs(inputSpec, outputSpec, settings, jobs, setAside);
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

void FinishSetAsideOutput(const SetAsideOutput& setAside) {
    if (setAside.aside.empty()) {
        return;
    }
    if (platform::PathExists(setAside.output)) {
        platform::DeleteFile(setAside.aside);
    } else {
        platform::RenameReplace(setAside.aside, setAside.output);
    }
}

}  // namespace scrivola
