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
    // Why the job fails without running (a list line that is too long);
    // empty when it can run.
    std::string refusal{};
};

using JobList = std::vector<ConversionJob>;

// An output that a list file's overwrite starts afresh: the earlier file is
// kept aside under a private name in its folder until the run ends.
struct SetAsideOutput {
    std::string output;
    std::string aside;  // empty: nothing was set aside
};

// Appends the jobs for the input form of `inputSpec`: a list file (".ver"),
// a directory, a pattern with '*' in its name part, or a single document.
// A list file may change `outputSpec` and `settings.collisionMode` so that
// its documents accumulate in one output (an overwrite sets the earlier
// output aside into `setAside`); a directory turns `inputSpec` into its
// "*.*" pattern.
void BuildJobList(std::string& inputSpec, std::string& outputSpec, ConversionSettings& settings,
                  JobList& jobs, SetAsideOutput* setAside = nullptr);

// At the end of the run: the earlier output is removed when a new one
// exists, else it comes back, so a run whose every job failed loses nothing.
void FinishSetAsideOutput(const SetAsideOutput& setAside);

// Appends one job per regular file matching the pattern, in the order the
// search returns them. Returns the number of jobs in the list.
std::size_t ExpandPattern(const std::string& pattern, JobList& jobs);

// Gives every job without an output its output name.
void AssignOutputNames(JobList& jobs, const std::string& outputSpec);

}  // namespace scrivola
