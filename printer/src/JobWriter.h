#pragma once
// Writing a print job (a PDF file) to its output. Every file appears whole:
// it is written under a temporary name in its own folder and renamed into
// place, and the printer holds an exclusive advisory lock (flock) on it
// until it is done, which is what the converter waits for.
#include <optional>
#include <string>

#include "OutputPlan.h"

namespace folivo {

struct WriteResult {
    std::string path;                  // the file written (the first page's)
    std::optional<std::string> error;  // why nothing was written
};

// Writes the job to exactly `path` in `format`, replacing what is there.
// One-image formats put page 1 at the path and page N beside it
// (PageFilePath).
WriteResult WriteJobToPath(const std::string& job, const std::string& path, OutputFormat format,
                           int resolutionDpi);

// Writes the job as PDF to a new file in `folder` (created when missing);
// an existing file is never replaced.
WriteResult WriteJobToNewFile(const std::string& job, const std::string& folder,
                              long long unixSeconds);

// Why `folder` cannot take new files, or nothing when it can.
std::optional<std::string> OutputFolderProblem(const std::string& folder);

}  // namespace folivo
