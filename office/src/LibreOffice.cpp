#include "LibreOffice.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "platform/DebugLog.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Process.h"

namespace office {

namespace {

constexpr std::uint32_t kPollMs = 100;

bool IsExecutableFile(const std::string& path) {
    return ::access(path.c_str(), X_OK) == 0 && platform::PathExists(path) &&
           !platform::IsDirectory(path);
}

}  // namespace

std::optional<std::string> FindSoffice() {
    const char* pathVariable = std::getenv("PATH");
    const std::string searchPath = pathVariable ? pathVariable : "/usr/local/bin:/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= searchPath.size()) {
        std::size_t end = searchPath.find(':', start);
        if (end == std::string::npos) {
            end = searchPath.size();
        }
        // An empty entry means the current folder.
        const std::string folder =
            end == start ? std::string(".") : searchPath.substr(start, end - start);
        const std::string candidate = platform::JoinPath(folder, "soffice");
        if (IsExecutableFile(candidate)) {
            return candidate;
        }
        start = end + 1;
    }
    return std::nullopt;
}

std::string FileUrl(std::string_view absolutePath) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (const char c : absolutePath) {
        const auto byte = static_cast<unsigned char>(c);
        const bool unreserved = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                                (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' ||
                                byte == '_' || byte == '~' || byte == '/';
        if (unreserved) {
            url += c;
        } else {
            url += '%';
            url += kHex[byte >> 4];
            url += kHex[byte & 0x0F];
        }
    }
    return url;
}

std::vector<std::string> SofficeArguments(const RenderRequest& request) {
    return {request.soffice,
            "--headless",
            "--norestore",
            "--nolockcheck",
            "-env:UserInstallation=" + FileUrl(request.profileDirectory),
            "--convert-to",
            "pdf",
            "--outdir",
            request.outputDirectory,
            request.document};
}

RenderRun RunSoffice(const RenderRequest& request) {
    RenderRun run;
    platform::ProcessOptions options;
    options.captureOutput = true;
    auto process = platform::Process::StartArguments(SofficeArguments(request), options);
    if (!process) {
        platform::OutputDebugText("soffice could not be started\n");
        return run;
    }
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(request.timeoutMs);
    for (;;) {
        const std::optional<int> exitCode = process->WaitFor(kPollMs);
        // Read as we go: a full pipe would stall the child.
        run.output += process->ReadAvailable();
        if (exitCode) {
            run.outcome = RenderOutcome::Finished;
            run.exitCode = *exitCode;
            break;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            process->Kill();
            run.outcome = RenderOutcome::TimedOut;
            break;
        }
    }
    run.output += process->ReadAvailable();
    platform::OutputDebugText("soffice " + request.document + ":\n" + run.output +
                              (run.outcome == RenderOutcome::TimedOut ? "(timed out)\n" : ""));
    return run;
}

}  // namespace office
