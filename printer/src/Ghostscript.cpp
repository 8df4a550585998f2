#include "Ghostscript.h"

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

std::vector<std::string> GhostscriptArguments(OutputFormat format, int resolutionDpi,
                                              const std::string& outputFile,
                                              const std::string& job) {
    // A job named like an option must not be read as one.
    const std::string input = !job.empty() && job.front() == '-' ? "./" + job : job;
    return {"gs",
            "-dSAFER",
            "-dBATCH",
            "-dNOPAUSE",
            "-dQUIET",
            "-sDEVICE=" + GhostscriptDevice(format),
            "-r" + std::to_string(resolutionDpi),
            "-dTextAlphaBits=4",
            "-dGraphicsAlphaBits=4",
            "-sOutputFile=" + outputFile,
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
