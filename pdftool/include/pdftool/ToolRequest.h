#pragma once
// The toolkit's command line, turned into a request before any PDF is touched.
#include <optional>
#include <string>
#include <vector>

namespace pdftool {

// Document information to write. An empty value leaves that entry as it is.
struct DocumentInfoUpdate {
    std::string title;
    std::string author;
    std::string subject;
    std::string keywords;

    bool empty() const {
        return title.empty() && author.empty() && subject.empty() && keywords.empty();
    }
};

enum class MergePosition { BeforeFirstPage, AfterLastPage };

struct PageMergeRequest {
    std::string sourcePath;
    MergePosition position = MergePosition::AfterLastPage;
};

struct ToolRequest {
    std::string inputPath;
    // The file to write: the input itself unless -o names another one.
    std::string outputPath;
    DocumentInfoUpdate info;
    std::optional<PageMergeRequest> merge;
};

struct ParsedCommandLine {
    enum class Kind { Run, Help, Error };
    Kind kind = Kind::Error;
    ToolRequest request;
    std::string error;  // for Kind::Error: one line saying what is wrong
};

// Parses the arguments after the program name.
ParsedCommandLine ParseToolArguments(const std::vector<std::string>& args);

// The value of "-*": "1|0|FILE" inserts FILE's pages before the first page,
// a bare "FILE" appends them. Empty means nothing to merge.
std::optional<PageMergeRequest> ParseMergeValue(const std::string& value);

std::string UsageText();

}  // namespace pdftool
