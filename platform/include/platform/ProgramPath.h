#pragma once
#include <string>

namespace platform {

// The running program's own file (from /proc/self/exe).
std::string RunningProgramPath();

// Its folder, with a trailing '/'.
std::string RunningProgramDirectory();

}  // namespace platform
