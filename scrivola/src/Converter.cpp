#include "Converter.h"

#include <cstdio>

#include "ConversionLoop.h"
#include "Usage.h"
#include "platform/Automation.h"

namespace scrivola {
namespace {

constexpr int kExitAllConverted = 0;
constexpr int kExitSomeJobsFailed = 2;  // 1 is the usage text's

}  // namespace

JobList PrepareJobs(CommandLine& commandLine, SetAsideOutput* setAside) {
    JobList jobs;
    BuildJobList(commandLine.inputSpec, commandLine.outputSpec, commandLine.settings, jobs,
                 setAside);
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
    SetAsideOutput setAside;
    const JobList jobs = PrepareJobs(*commandLine, &setAside);
    if (jobs.empty()) {
        FinishSetAsideOutput(setAside);
        return 0;  // nothing matched: no output lines at all
    }
    platform::automation::Initialize();
    int failedJobs = 0;
    RunJobs(jobs, commandLine->settings, DefaultJobServices(), &failedJobs);
    platform::automation::Uninitialize();
    FinishSetAsideOutput(setAside);
    std::fflush(stdout);
    return failedJobs == 0 ? kExitAllConverted : kExitSomeJobsFailed;
}

}  // namespace scrivola
