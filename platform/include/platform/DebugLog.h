#pragma once
// The debugger output channel: text is appended to the file named by
// SCRIVOLA_DEBUG_LOG when that variable is set, and dropped otherwise.
#include <string_view>

namespace platform {

void OutputDebugText(std::string_view text);

}  // namespace platform
