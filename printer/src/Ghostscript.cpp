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

std::optional<std::string> RunGhostscript(const std::vector<std::string>& arguments) {
    platform::ProcessOptions options;
    options.captureOutput = true;
    auto process = platform::Process::StartArguments(arguments, options);
    if (!process) {
        return "Ghostscript (gs) could not be started; is it installed?";
    }
    const std::string output = process->ReadAll();
    const int status = process->Wait();
    if (!output.empty()) {
        platform::OutputDebugText("gs: " + output);
    }
    if (status != 0) {
        return "Ghostscript failed (status " + std::to_string(status) + ")" +
               (output.empty() ? std::string() : ": " + output);
    }
    return std::nullopt;
}

}  // namespace folivo
