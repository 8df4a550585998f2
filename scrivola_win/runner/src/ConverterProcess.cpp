#include "ConverterProcess.h"

#include <algorithm>
#include <optional>
#include <string>

#include "platform/Clock.h"
#include "platform/Process.h"

namespace runner {

namespace {

void DeliverInChunks(std::string_view bytes, const OutputHandler& onOutput) {
    while (!bytes.empty()) {
        const std::size_t size = std::min(bytes.size(), kMaxOutputChunk);
        onOutput(bytes.substr(0, size));
        bytes.remove_prefix(size);
    }
}

}  // namespace

bool RunChildWithOutput(std::string_view commandLine, const OutputHandler& onOutput,
                        const IdleHandler& onIdle) {
    platform::ProcessOptions options;
    options.captureOutput = true;
    std::optional<platform::Process> child = platform::Process::Start(commandLine, options);
    if (!child) {
        return false;
    }
    for (;;) {
        if (child->PeekAvailable() > 0) {
            DeliverInChunks(child->ReadAvailable(), onOutput);
            continue;
        }
        if (child->TryWait()) {
            // The child may have written its last lines between the look at
            // the pipe and its end.
            DeliverInChunks(child->ReadAvailable(), onOutput);
            break;
        }
        onIdle();
        platform::SystemClock().SleepMs(kPollPauseMs);
    }
    return true;
}

}  // namespace runner
