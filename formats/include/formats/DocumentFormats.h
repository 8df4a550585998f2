#pragma once
// The document formats Scrivola converts, by extension, in one table: the
// console converter chooses its driver from it, and the front end and the
// directory monitor decide from it what a document is.
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace formats {

// The authoring application whose object model fits a document.
enum class Family { WordProcessor, Spreadsheet, Presentation, Diagram, Pdf, WebPage };

struct DocumentFormat {
    std::string_view extension;  // with its dot, lower case
    Family family;
    // Whether the front end takes it into its list. Text and PDF files are
    // converted from the console only, web pages nowhere.
    bool listed;
};

std::span<const DocumentFormat> AllFormats();

// The format of a path by its extension, matched without regard to case.
std::optional<DocumentFormat> FormatOf(std::string_view path);

// A document the front end lists (Add Files, Add Directory, drops, the
// command line, the directory monitor).
bool IsListedDocument(std::string_view path);

// The listed extensions of one family, in table order.
std::vector<std::string_view> ListedExtensions(Family family);

}  // namespace formats
