#pragma once
// Rasterising a PDF job with Ghostscript.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "OutputPlan.h"

namespace folivo {

// tiff24nc (multi-page), png16m, jpeg or bmp16m.
std::string GhostscriptDevice(OutputFormat format);

// Ghostscript expands '%' in output file names; doubled, a path is taken as
// it stands.
std::string EscapeOutputFile(std::string_view path);

// `outputFile` is passed as it is (already escaped, with any %d template),
// below the current folder when it is relative; so is the job.
std::vector<std::string> GhostscriptArguments(OutputFormat format, int resolutionDpi,
                                              const std::string& outputFile,
                                              const std::string& job);

// Runs Ghostscript and waits, at most `timeLimitMs` (then it is killed);
// nothing on success, else what went wrong.
inline constexpr std::uint32_t kGhostscriptTimeLimitMs = 4 * 60 * 1000;
std::optional<std::string> RunGhostscript(const std::vector<std::string>& arguments,
                                          std::uint32_t timeLimitMs = kGhostscriptTimeLimitMs);

}  // namespace folivo
