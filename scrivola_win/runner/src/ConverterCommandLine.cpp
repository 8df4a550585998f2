#include "runner/ConverterCommandLine.h"

#include "PaperSizes.h"
#include "platform/Process.h"

namespace runner {

namespace {

void AppendQuotedOption(std::string& commandLine, std::string_view option, std::string_view value) {
    if (value.empty()) {
        return;
    }
    commandLine += option;
    commandLine += QuotedValue(value);
}

}  // namespace

std::string QuotedValue(std::string_view value) {
    const bool plainQuotingHolds =
        value.find('"') == std::string_view::npos && (value.empty() || value.back() != '\\');
    if (plainQuotingHolds) {
        std::string quoted;
        quoted.reserve(value.size() + 2);
        quoted += '"';
        quoted += value;
        quoted += '"';
        return quoted;
    }
    return platform::QuoteArgument(value);
}

std::string BuildConverterCommandLine(std::string_view converterPath, std::string_view outputPath,
                                      std::string_view inputPath, const ConverterOptions& options) {
    std::string commandLine = QuotedValue(converterPath);
    commandLine += " -o ";
    commandLine += QuotedValue(outputPath);
    commandLine += " -p " + std::to_string(static_cast<int>(options.destinationMode));

    const PagePoints page = PageSizeInPoints(options.pageIndex, options.landscape);
    commandLine += " -w " + std::to_string(page.width) + " -h " + std::to_string(page.height);

    if (options.colorIndex >= 0 && options.colorIndex <= 2) {
        commandLine += " -b " + std::to_string(options.colorIndex + 1);
    }

    // The resolution is a hand-edited key that no dialog shows: only digits
    // go on the command line, where anything else could add options of its
    // own; every other value stands for the default.
    const bool digitsOnly = !options.dpi.empty() && options.dpi.size() <= 6 &&
                            options.dpi.find_first_not_of("0123456789") == std::string::npos;
    commandLine += " -r ";
    commandLine += digitsOnly ? options.dpi : std::string("300");

    AppendQuotedOption(commandLine, " -a ", options.author);
    AppendQuotedOption(commandLine, " -j ", options.subject);
    AppendQuotedOption(commandLine, " -t ", options.title);
    AppendQuotedOption(commandLine, " -k ", options.keywords);

    commandLine += " -i ";
    commandLine += QuotedValue(inputPath);
    return commandLine;
}

}  // namespace runner
