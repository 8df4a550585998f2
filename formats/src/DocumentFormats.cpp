#include "formats/DocumentFormats.h"

#include <array>

#include "platform/Paths.h"

namespace formats {

namespace {

using enum Family;

// The formats of the first releases come first; the Office Open XML and
// OpenDocument ones and their relatives follow, each with the application
// whose object model fits.
constexpr std::array<DocumentFormat, 32> kFormats = {{
    {".doc", WordProcessor, true},  {".rtf", WordProcessor, true},  {".txt", WordProcessor, false},
    {".xls", Spreadsheet, true},    {".ppt", Presentation, true},   {".pdf", Pdf, false},
    {".vsd", Diagram, true},        {".htm", WebPage, false},       {".html", WebPage, false},
    {".docx", WordProcessor, true}, {".docm", WordProcessor, true}, {".dotx", WordProcessor, true},
    {".odt", WordProcessor, true},  {".ott", WordProcessor, true},  {".wpd", WordProcessor, true},
    {".wps", WordProcessor, true},  {".xlsx", Spreadsheet, true},   {".xlsm", Spreadsheet, true},
    {".xltx", Spreadsheet, true},   {".ods", Spreadsheet, true},    {".ots", Spreadsheet, true},
    {".csv", Spreadsheet, true},    {".pptx", Presentation, true},  {".pptm", Presentation, true},
    {".ppsx", Presentation, true},  {".pps", Presentation, true},   {".odp", Presentation, true},
    {".otp", Presentation, true},   {".vsdx", Diagram, true},       {".vsdm", Diagram, true},
    {".vdx", Diagram, true},        {".odg", Diagram, true},
}};

}  // namespace

std::span<const DocumentFormat> AllFormats() {
    return kFormats;
}

std::optional<DocumentFormat> FormatOf(std::string_view path) {
    const std::string extension = platform::SplitPath(path).extension;
    for (const DocumentFormat& format : kFormats) {
        if (platform::EqualsIgnoreCase(extension, format.extension)) {
            return format;
        }
    }
    return std::nullopt;
}

bool IsListedDocument(std::string_view path) {
    const std::optional<DocumentFormat> format = FormatOf(path);
    return format && format->listed;
}

std::vector<std::string_view> ListedExtensions(Family family) {
    std::vector<std::string_view> extensions;
    for (const DocumentFormat& format : kFormats) {
        if (format.family == family && format.listed) {
            extensions.push_back(format.extension);
        }
    }
    return extensions;
}

}  // namespace formats
