#include "scrivola/Converter.h"

#include "scrivola/Usage.h"

namespace scrivola {

JobList PrepareJobs(CommandLine& commandLine) {
    JobList jobs;
    BuildJobList(commandLine.inputSpec, commandLine.outputSpec, commandLine.settings, jobs);
    if (!jobs.empty()) {
        AssignOutputNames(jobs, commandLine.outputSpec);
    }
    return jobs;
}

int RunConverter(int argc, const char* const* argv) {
    std::optional<CommandLine> commandLine = ParseCommandLine(argc, argv);
    if (!commandLine) {
        PrintUsageAndExit();
    }
    const JobList jobs = PrepareJobs(*commandLine);
    if (jobs.empty()) {
        return 0;  // nothing matched: no output lines at all
    }
    return 0;
}

}  // namespace scrivola
