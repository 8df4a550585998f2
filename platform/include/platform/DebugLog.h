#pragma once
// The debugger output channel: text is appended to the file named by
// SCRIVOLA_DEBUG_LOG when that variable is set, and dropped otherwise.
#include <string_view>

namespace platform {

void OutputDebugText(std::string_view text);

// A problem the user should see: one line on standard error (which the
// front end also passes to the debug channel) and on the debug channel.
void ReportProblem(std::string_view line);

}  // namespace platform
