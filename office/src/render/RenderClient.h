#pragma once
// The office servers' side of the render service: ask the user's service
// for a PDF, starting it when none answers, and stop it when it runs out of
// time.
#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>

#include "RenderProtocol.h"

namespace office::render {

// Sets the render time-out in milliseconds (tests).
inline constexpr char kTimeoutVariable[] = "SCRIVOLA_RENDER_TIMEOUT_MS";

enum class ServiceOutcome {
    Rendered,
    Failed,       // the job fails; message says why
    UseFallback,  // the service cannot render this; message says why
};

struct ServiceResult {
    ServiceOutcome outcome = ServiceOutcome::Failed;
    std::string message;
};

// Renders `document` into `pdf` (both absolute). `soffice` locates
// LibreOffice's program folder.
ServiceResult RenderWithService(const std::string& document, const std::string& pdf,
                                const std::string& soffice, std::uint32_t timeoutMs);

struct ServiceAnswer {
    Reply reply;
    pid_t pid = -1;
};

// Asks the running service, without starting one; nothing when none answers.
std::optional<ServiceAnswer> AskRunningService(Verb verb);

// Kills the process group of the service `pid` (only when that process is
// the leader of its group; the process alone otherwise), waits for it to end
// and removes its temporary folder.
void EndService(pid_t pid);

}  // namespace office::render
