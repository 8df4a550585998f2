#pragma once
// Reading the converter's command line into its settings and the two paths.
#include <optional>
#include <string>

#include "ConversionSettings.h"

namespace scrivola {

struct CommandLine {
    ConversionSettings settings;
    std::string inputSpec;   // -i: a document, a directory, a pattern or a list file
    std::string outputSpec;  // -o: an output file, a directory or a pattern; optional
};

// The resolution given with -r is kept only within 1..1200; otherwise 300.
std::int32_t ResolutionFromOption(std::int32_t requested);

// Nothing when the usage text is due: -? given, no input read, or a path or
// text longer than its field (refused rather than cut into another value).
std::optional<CommandLine> ParseCommandLine(int argc, const char* const* argv);

}  // namespace scrivola
