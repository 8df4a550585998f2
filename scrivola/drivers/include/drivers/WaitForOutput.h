#pragma once
// The wait for the file the virtual printer writes: it must appear (a new
// file, not one that was there before the job), stop growing and be free of
// the printer's lock. The printer writes a temporary file and renames it into
// place while holding its lock, so each phase ends as soon as its condition
// holds; short polls replace the fixed pauses a slower spooler needed.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/Clock.h"
#include "platform/FileSystem.h"

namespace scrivola {

// Both the appearance and the openable phase give up after this long.
inline constexpr std::uint64_t kOutputTimeoutMs = 120 * 1000;
// The longest pause between two looks at the file.
inline constexpr std::uint32_t kOutputPollMs = 50;

// 1 if a file other than `before` (the file the path held before the job,
// if any) exists at the end, else 0.
int WaitForOutput(const std::string& path, const std::optional<platform::FileStamp>& before,
                  platform::Clock& clock);
int WaitForOutput(const std::string& path, const std::optional<platform::FileStamp>& before);

}  // namespace scrivola
