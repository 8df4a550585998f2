#include "Toolkit.h"

#include "platform/DebugLog.h"
#include "platform/FileSystem.h"
#include "platform/Process.h"
#include "platform/ProgramPath.h"

namespace scrivola {
namespace {

constexpr char kToolName[] = "tools.cfg";
constexpr char kInsertBeforeFirstPage[] = "1|0|";

// Always in double quotes, as the toolkit's command lines are written,
// with quotes and backslashes escaped by the argument rules.
std::string Quoted(const std::string& value) {
    std::string quoted = platform::QuoteArgument(value);
    if (quoted.empty() || quoted.front() != '"') {
        // No blank and no quote inside: only trailing backslashes need doubling
        // so that they do not escape the closing quote.
        std::size_t trailing = 0;
        while (trailing < value.size() && value[value.size() - 1 - trailing] == '\\') {
            ++trailing;
        }
        quoted = '"' + value + std::string(trailing, '\\') + '"';
    }
    return quoted;
}

}  // namespace

Toolkit DefaultToolkit() {
    return {platform::RunningProgramDirectory() + kToolName, &RunToolCommand};
}

std::string DocumentInfoCommand(const std::string& toolPath, const std::string& pdf,
                                const ConversionSettings& settings) {
    return Quoted(toolPath) + " -i " + Quoted(pdf) + " -o " + Quoted(pdf) + " -t " +
           Quoted(settings.title) + " -a " + Quoted(settings.author) + " -s " +
           Quoted(settings.subject) + " -k " + Quoted(settings.keywords);
}

std::string MergeCommand(const std::string& toolPath, const std::string& workingOutput,
                         const std::string& finalOutput, CollisionMode collisionMode) {
    std::string pages;
    if (collisionMode == CollisionMode::kInsert) {
        pages = kInsertBeforeFirstPage + workingOutput;
    } else if (collisionMode == CollisionMode::kAppend) {
        pages = workingOutput;
    }
    return Quoted(toolPath) + " -i " + Quoted(finalOutput) + " \"-*\" " + Quoted(pages);
}

int SetDocumentInfo(const std::string& pdf, const ConversionSettings& settings,
                    const Toolkit& toolkit) {
    if (pdf.empty() || (settings.title.empty() && settings.author.empty() &&
                        settings.subject.empty() && settings.keywords.empty())) {
        return 1;
    }
    return toolkit.runCommand(DocumentInfoCommand(toolkit.path, pdf, settings)) == 0 ? 1 : 0;
}

int SetDocumentInfo(const std::string& pdf, const ConversionSettings& settings) {
    return SetDocumentInfo(pdf, settings, DefaultToolkit());
}

int MergeIntoOutput(const std::string& workingOutput, const std::string& finalOutput,
                    const ConversionSettings& settings, const Toolkit& toolkit) {
    if (workingOutput.empty() || finalOutput.empty()) {
        return 0;
    }
    if (settings.collisionMode == CollisionMode::kOverwrite ||
        settings.collisionMode == CollisionMode::kRename) {
        return 1;  // the printer wrote the final output itself
    }
    const int status = toolkit.runCommand(
        MergeCommand(toolkit.path, workingOutput, finalOutput, settings.collisionMode));
    return status == 0 && platform::PathExists(finalOutput) ? 1 : 0;
}

int MergeIntoOutput(const std::string& workingOutput, const std::string& finalOutput,
                    const ConversionSettings& settings) {
    return MergeIntoOutput(workingOutput, finalOutput, settings, DefaultToolkit());
}

int RunToolCommand(const std::string& commandLine) {
    if (commandLine.empty()) {
        return -1;
    }
    platform::OutputDebugText(commandLine + "\n");
    std::string line = commandLine;
    bool wait = true;
    if (line.back() == '&') {
        line.pop_back();
        wait = false;
    } else if (line.back() == '|') {
        line.pop_back();
    }
    platform::ProcessOptions options;
    if (!wait) {
        options.discardOutput = true;
        return platform::Process::Start(line, options) ? 0 : -1;
    }
    // The toolkit's messages go to the debug channel, not between our lines.
    options.captureOutput = true;
    const platform::LimitedRun run =
        platform::RunWithTimeLimit(platform::SplitCommandLine(line), kToolTimeLimitMs, options);
    if (!run.output.empty()) {
        platform::OutputDebugText(run.output);
    }
    switch (run.outcome) {
        case platform::LimitedRun::Outcome::NotStarted:
            return -1;
        case platform::LimitedRun::Outcome::TimedOut:
            platform::OutputDebugText("the toolkit took too long and was ended\n");
            return -2;
        case platform::LimitedRun::Outcome::Finished:
            break;
    }
    return run.exitCode;
}

}  // namespace scrivola
