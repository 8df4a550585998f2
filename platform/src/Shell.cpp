#include "platform/Shell.h"

#include <cstdlib>
#include <thread>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/Process.h"

namespace platform {

namespace {

// xdg-open returns once the program is running, but on a bare desktop it
// runs the program itself; past this bound the open counts as done.
constexpr std::uint32_t kOpenWaitMs = 5000;

// xdg-open's exit status for a file that does not exist.
constexpr int kXdgOpenFileMissing = 2;

// Reaps a child nobody waits for, so it does not linger as a zombie.
void ReapInBackground(Process process) {
    std::thread([child = std::move(process)]() mutable { child.Wait(); }).detach();
}

bool HasUrlScheme(std::string_view target) {
    const std::size_t colon = target.find(':');
    if (colon == std::string_view::npos || colon < 2) {
        return false;  // a one-letter scheme would be a drive letter elsewhere
    }
    for (std::size_t i = 0; i < colon; ++i) {
        const char c = target[i];
        const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        const bool other = (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
        if (!letter && !(i > 0 && other)) {
            return false;
        }
    }
    return true;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// The local file a target names, or nothing for other addresses.
std::optional<std::string> LocalPath(std::string_view target) {
    constexpr std::string_view kFileScheme = "file://";
    if (target.substr(0, kFileScheme.size()) == kFileScheme) {
        std::string_view rest = target.substr(kFileScheme.size());
        if (rest.empty() || rest.front() != '/') {
            return std::nullopt;  // file://host/... is not ours to check
        }
        std::string decoded;
        for (std::size_t i = 0; i < rest.size(); ++i) {
            if (rest[i] == '%' && i + 2 < rest.size() && HexDigit(rest[i + 1]) >= 0 &&
                HexDigit(rest[i + 2]) >= 0) {
                decoded += static_cast<char>(HexDigit(rest[i + 1]) * 16 + HexDigit(rest[i + 2]));
                i += 2;
            } else {
                decoded += rest[i];
            }
        }
        return decoded;
    }
    if (HasUrlScheme(target)) {
        return std::nullopt;
    }
    return std::string(target);
}

}  // namespace

int ShellOpen(std::string_view target) {
    if (target.empty()) {
        return kShellFileNotFound;
    }
    if (const auto local = LocalPath(target); local && !PathExists(*local)) {
        return kShellFileNotFound;
    }
    ProcessOptions options;
    options.discardOutput = true;  // our standard output is read by the front end
    std::optional<Process> opener;
    const char* replacement = std::getenv("SCRIVOLA_OPEN_COMMAND");
    if (replacement != nullptr && *replacement != '\0') {
        opener = Process::Start(std::string(replacement) + " " + QuoteArgument(target), options);
    } else {
        opener = Process::StartArguments({"xdg-open", std::string(target)}, options);
    }
    if (!opener) {
        return kShellNoAssociation;
    }
    const auto exitCode = opener->WaitFor(kOpenWaitMs);
    if (!exitCode) {
        ReapInBackground(std::move(*opener));
        return kShellOk;
    }
    if (*exitCode == 0) {
        return kShellOk;
    }
    return *exitCode == kXdgOpenFileMissing ? kShellFileNotFound : kShellNoAssociation;
}

int StartCommandLine(std::string_view commandLine) {
    ProcessOptions options;
    options.discardOutput = true;
    auto process = Process::Start(commandLine, options);
    if (!process) {
        return kShellFileNotFound;
    }
    ReapInBackground(std::move(*process));
    return kShellOk;
}

int ShellOpenDocument(std::string_view target) {
    const int shellResult = ShellOpen(target);
    if (shellResult > 32) {
        return shellResult;
    }
    auto command = HtmlOpenCommand();
    if (!command) {
        return shellResult;
    }
    // Whatever followed the placeholder is dropped with it.
    std::size_t placeholder = command->find("\"%1\"");
    if (placeholder == std::string::npos) {
        placeholder = command->find("%1");
    }
    if (placeholder != std::string::npos) {
        command->resize(placeholder);
    }
    // Quoted (when it needs to be), so a path with blanks stays one argument.
    return StartCommandLine(*command + " " + QuoteArgument(target));
}

}  // namespace platform
