#pragma once
// The wait for the file the virtual printer writes: it must appear, stop
// growing, be free of the printer's lock, and then a fixed pause passes.
#include <cstdint>
#include <string>

#include "platform/Clock.h"

namespace scrivola {

// Both the appearance and the openable phase give up after this long.
inline constexpr std::uint64_t kOutputTimeoutMs = 120 * 1000;

// 1 if the file exists at the end, else 0.
int WaitForOutput(const std::string& path, platform::Clock& clock);
int WaitForOutput(const std::string& path);

}  // namespace scrivola
