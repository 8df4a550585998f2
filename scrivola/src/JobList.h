#pragma once
// The converter's jobs: one (document, output) pair per document, built
// from the -i and -o arguments and run in list order.
#include <cstddef>
#include <string>
#include <vector>

#include "ConversionSettings.h"

namespace scrivola {

struct ConversionJob {
    std::string input;   // as found or as written in the list file, never made absolute
    std::string output;  // empty until AssignOutputNames fills it
};

using JobList = std::vector<ConversionJob>;

// Appends the jobs for the input form of `inputSpec`: a list file (".ver"),
// a directory, a pattern with '*' in its name part, or a single document.
// A list file may change `outputSpec` and `settings.collisionMode` so that
// its documents accumulate in one output; a directory turns `inputSpec`
// into its "*.*" pattern.
void BuildJobList(std::string& inputSpec, std::string& outputSpec, ConversionSettings& settings,
                  JobList& jobs);

// Appends one job per regular file matching the pattern, in the order the
// search returns them. Returns the number of jobs in the list.
std::size_t ExpandPattern(const std::string& pattern, JobList& jobs);

// Gives every job without an output its output name.
void AssignOutputNames(JobList& jobs, const std::string& outputSpec);

}  // namespace scrivola
