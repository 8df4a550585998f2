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

    // The resolution goes on verbatim: it is a hand-edited key that no
    // dialog shows, and the converter checks it.
    commandLine += " -r ";
    commandLine += options.dpi == kDefaultDpiText ? std::string("300") : options.dpi;

    AppendQuotedOption(commandLine, " -a ", options.author);
    AppendQuotedOption(commandLine, " -j ", options.subject);
    AppendQuotedOption(commandLine, " -t ", options.title);
    AppendQuotedOption(commandLine, " -k ", options.keywords);

    commandLine += " -i ";
    commandLine += QuotedValue(inputPath);
    return commandLine;
}

}  // namespace runner
