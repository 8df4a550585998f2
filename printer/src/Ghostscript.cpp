#include "Ghostscript.h"

#include <filesystem>
#include <system_error>

#include "platform/DebugLog.h"
#include "platform/Process.h"

namespace folivo {

std::string GhostscriptDevice(OutputFormat format) {
    switch (format) {
        case OutputFormat::Tiff:
            return "tiff24nc";
        case OutputFormat::Png:
            return "png16m";
        case OutputFormat::Jpeg:
            return "jpeg";
        case OutputFormat::Bmp:
            return "bmp16m";
        case OutputFormat::Pdf:
            break;
    }
    return "pdfwrite";
}

std::string EscapeOutputFile(std::string_view path) {
    std::string escaped;
    for (const char c : path) {
        escaped += c;
        if (c == '%') {
            escaped += '%';
        }
    }
    return escaped;
}

namespace {

// The path below the current folder, whose name passes through `escape`.
std::string AbsolutePath(const std::string& path, std::string (*escape)(std::string_view)) {
    if (path.empty() || path.front() == '/') {
        return path;
    }
    std::error_code error;
    const std::string current = std::filesystem::current_path(error).string();
    return error ? "./" + path : escape(current) + "/" + path;
}

std::string Unchanged(std::string_view path) {
    return std::string(path);
}

}  // namespace

std::vector<std::string> GhostscriptArguments(OutputFormat format, int resolutionDpi,
                                              const std::string& outputFile,
                                              const std::string& job) {
    // Only absolute paths: Ghostscript reads an output name that begins with
    // '|' as a command to pipe into (even with -dSAFER), and an input named
    // like an option as one.
    const std::string input = AbsolutePath(job, &Unchanged);
    return {"gs",
            "-dSAFER",
            "-dBATCH",
            "-dNOPAUSE",
            "-dQUIET",
            "-sDEVICE=" + GhostscriptDevice(format),
            "-r" + std::to_string(resolutionDpi),
            "-dTextAlphaBits=4",
            "-dGraphicsAlphaBits=4",
            "-sOutputFile=" + AbsolutePath(outputFile, &EscapeOutputFile),
            input};
}

std::optional<std::string> RunGhostscript(const std::vector<std::string>& arguments,
                                          std::uint32_t timeLimitMs) {
    platform::ProcessOptions options;
    options.captureOutput = true;
    const platform::LimitedRun run = platform::RunWithTimeLimit(arguments, timeLimitMs, options);
    if (!run.output.empty()) {
        platform::OutputDebugText("gs: " + run.output);
    }
    switch (run.outcome) {
        case platform::LimitedRun::Outcome::NotStarted:
            return "Ghostscript (gs) could not be started; is it installed?";
        case platform::LimitedRun::Outcome::TimedOut:
            return "Ghostscript took longer than " + std::to_string(timeLimitMs / 1000) +
                   " s and was ended";
        case platform::LimitedRun::Outcome::Finished:
            break;
    }
    if (run.exitCode != 0) {
        return "Ghostscript failed (status " + std::to_string(run.exitCode) + ")" +
               (run.output.empty() ? std::string() : ": " + run.output);
    }
    return std::nullopt;
}

}  // namespace folivo
