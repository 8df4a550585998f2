#pragma once
// Runs the console converter as a child and hands its output over as it
// arrives, keeping the caller responsive between polls.
#include <cstddef>
#include <functional>
#include <string_view>

namespace runner {

// Chunks of child output are handed over in pieces of at most this size.
inline constexpr std::size_t kMaxOutputChunk = 8191;
// Pause between two polls of an idle child, so waiting costs no core.
inline constexpr unsigned kPollPauseMs = 5;

using OutputHandler = std::function<void(std::string_view chunk)>;
using IdleHandler = std::function<void()>;

// Starts the command line with standard output and standard error on one
// pipe and polls until the child ends: output goes to `onOutput`, and while
// the child is quiet `onIdle` runs before each pause. Output still in the
// pipe when the child ends is delivered too. Returns false when the child
// could not be started.
bool RunChildWithOutput(std::string_view commandLine, const OutputHandler& onOutput,
                        const IdleHandler& onIdle);

}  // namespace runner
