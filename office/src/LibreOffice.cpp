#include "LibreOffice.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "platform/DebugLog.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "platform/Process.h"

namespace office {

namespace {

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
        // An empty entry would mean the current folder, where anybody's
        // "soffice" could wait for us; only absolute folders count.
        const std::string folder = searchPath.substr(start, end - start);
        const std::string candidate = platform::JoinPath(folder, "soffice");
        if (!folder.empty() && folder.front() == '/' && IsExecutableFile(candidate)) {
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
    platform::ProcessOptions options;
    options.captureOutput = true;
    const platform::LimitedRun limited =
        platform::RunWithTimeLimit(SofficeArguments(request), request.timeoutMs, options);
    RenderRun run;
    run.exitCode = limited.exitCode;
    run.output = limited.output;
    switch (limited.outcome) {
        case platform::LimitedRun::Outcome::NotStarted:
            platform::OutputDebugText("soffice could not be started\n");
            return run;
        case platform::LimitedRun::Outcome::TimedOut:
            run.outcome = RenderOutcome::TimedOut;
            break;
        case platform::LimitedRun::Outcome::Finished:
            run.outcome = RenderOutcome::Finished;
            break;
    }
    platform::OutputDebugText("soffice " + request.document + ":\n" + run.output +
                              (run.outcome == RenderOutcome::TimedOut ? "(timed out)\n" : ""));
    return run;
}

}  // namespace office
