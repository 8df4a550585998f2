#include "pdftool/ToolRequest.h"

#include <set>

#include "pdftool/Utf8.h"

namespace pdftool {
namespace {

constexpr std::string_view kInsertPrefix = "1|0|";

ParsedCommandLine Failure(std::string message) {
    ParsedCommandLine parsed;
    parsed.kind = ParsedCommandLine::Kind::Error;
    parsed.error = std::move(message);
    return parsed;
}

// The slot an option fills, or nullptr for an option we do not know.
std::string* InfoSlot(const std::string& option, DocumentInfoUpdate& info) {
    if (option == "-t")
        return &info.title;
    if (option == "-a")
        return &info.author;
    if (option == "-s")
        return &info.subject;
    if (option == "-k")
        return &info.keywords;
    return nullptr;
}

}  // namespace

std::optional<PageMergeRequest> ParseMergeValue(const std::string& value) {
    if (value.empty()) {
        return std::nullopt;
    }
    PageMergeRequest merge;
    if (value.starts_with(kInsertPrefix)) {
        merge.position = MergePosition::BeforeFirstPage;
        merge.sourcePath = value.substr(kInsertPrefix.size());
    } else {
        merge.position = MergePosition::AfterLastPage;
        merge.sourcePath = value;
    }
    return merge;
}

ParsedCommandLine ParseToolArguments(const std::vector<std::string>& args) {
    ParsedCommandLine parsed;
    ToolRequest& request = parsed.request;
    bool seenInput = false;
    bool seenOutput = false;
    bool seenMerge = false;
    std::set<std::string> seenInfoOptions;

    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (option == "-h" || option == "--help" || option == "-?") {
            parsed.kind = ParsedCommandLine::Kind::Help;
            return parsed;
        }
        const bool known = option == "-i" || option == "-o" || option == "-*" ||
                           InfoSlot(option, request.info) != nullptr;
        if (!known) {
            return Failure("unknown argument '" + option + "'");
        }
        if (i + 1 >= args.size()) {
            return Failure("option " + option + " needs a value");
        }
        const std::string& value = args[++i];

        if (option == "-i" || option == "-o") {
            bool& seen = option == "-i" ? seenInput : seenOutput;
            if (seen) {
                return Failure("option " + option + " given twice");
            }
            if (value.empty()) {
                return Failure("option " + option + " needs a file name");
            }
            seen = true;
            (option == "-i" ? request.inputPath : request.outputPath) = value;
        } else if (option == "-*") {
            if (seenMerge) {
                return Failure("option -* given twice");
            }
            seenMerge = true;
            request.merge = ParseMergeValue(value);
            if (request.merge && request.merge->sourcePath.empty()) {
                return Failure("option -* names no file after \"1|0|\"");
            }
        } else {
            if (!seenInfoOptions.insert(option).second) {
                return Failure("option " + option + " given twice");
            }
            if (!IsValidUtf8(value)) {
                return Failure("the value of " + option + " is not valid UTF-8 text");
            }
            *InfoSlot(option, request.info) = value;
        }
    }

    if (!seenInput) {
        return Failure("no input file given (-i)");
    }
    if (!request.merge && request.info.empty()) {
        return Failure("nothing to do: no document information and no pages to merge");
    }
    if (request.outputPath.empty()) {
        request.outputPath = request.inputPath;
    }
    parsed.kind = ParsedCommandLine::Kind::Run;
    return parsed;
}

std::string UsageText() {
    return "Usage:\n"
           "  tools.cfg -i FILE [-o OUTFILE] [-t TITLE] [-a AUTHOR] [-s SUBJECT] [-k KEYWORDS]\n"
           "      Writes the document information of FILE. An empty value leaves that\n"
           "      entry as it is. Values are UTF-8 text.\n"
           "  tools.cfg -i FINAL -* \"1|0|FILE\"\n"
           "      Inserts the pages of FILE before the first page of FINAL.\n"
           "  tools.cfg -i FINAL -* \"FILE\"\n"
           "      Appends the pages of FILE after the last page of FINAL.\n"
           "\n"
           "The result replaces the -i file (or the -o file when given) in one step;\n"
           "on failure it stays as it was. Exit status: 0 done, 1 failed, 2 wrong\n"
           "command line.\n";
}

}  // namespace pdftool
