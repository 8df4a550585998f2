#pragma once
// Rendering a document to PDF with LibreOffice in headless mode, with a
// private user profile so that a LibreOffice the user has open is never
// touched, under a time-out.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace office {

inline constexpr std::uint32_t kRenderTimeoutMs = 120 * 1000;

// The soffice program found in PATH, or nothing when LibreOffice is not
// installed.
std::optional<std::string> FindSoffice();

// "file://" and the absolute path with every byte outside the unreserved
// set percent-encoded.
std::string FileUrl(std::string_view absolutePath);

struct RenderRequest {
    std::string soffice;
    std::string profileDirectory;  // absolute
    std::string document;
    std::string outputDirectory;
    std::uint32_t timeoutMs = kRenderTimeoutMs;
};

std::vector<std::string> SofficeArguments(const RenderRequest& request);

enum class RenderOutcome { Finished, TimedOut, NotStarted };

struct RenderRun {
    RenderOutcome outcome = RenderOutcome::NotStarted;
    int exitCode = -1;
    std::string output;  // standard output and error of soffice
};

// Runs soffice and waits; on time-out its whole process group is killed.
// The child's output also goes to the debug channel.
RenderRun RunSoffice(const RenderRequest& request);

}  // namespace office
