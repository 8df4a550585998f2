#pragma once
// The conversion loop: for each job, progress, the working output by the
// collision mode, conversion, post-processing with the toolkit, viewing and
// the result line.
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

#include "ConversionSettings.h"
#include "JobList.h"
#include "Toolkit.h"

namespace scrivola {

// What the loop works with; DefaultJobServices() gives the real ones.
struct JobServices {
    // Prints the document into the working output: 1 when it exists after.
    std::function<int(const std::string& input, const std::string& workingOutput)> convert;
    Toolkit toolkit;
    std::function<int(std::string_view target)> openDocument;
    std::FILE* output = stdout;
};

JobServices DefaultJobServices();

// Runs every job in list order and returns the last job's result (1 when
// there are no jobs). `failedJobs`, when given, receives the number of jobs
// with result 0.
int RunJobs(const JobList& jobs, const ConversionSettings& settings, const JobServices& services,
            int* failedJobs = nullptr);
int RunJobs(const JobList& jobs, const ConversionSettings& settings);

}  // namespace scrivola
