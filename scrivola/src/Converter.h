#pragma once
// The converter's entry: read the command line, build the job list, name
// the outputs, run the jobs.
#include "CommandLine.h"
#include "JobList.h"

namespace scrivola {

// The job list of a parsed command line with every output named. May change
// the command line's paths and collision mode (directories, list files).
JobList PrepareJobs(CommandLine& commandLine, SetAsideOutput* setAside = nullptr);

// The whole run. Exit status 0 when every job converted, 2 when a job
// failed; a malformed command line shows the usage text and ends the process
// with status 1.
int RunConverter(int argc, const char* const* argv);

}  // namespace scrivola
