#pragma once
// Which driver prints a document, chosen by its extension without regard to
// letter case from the table of document formats.
#include <string>
#include <string_view>

namespace scrivola {

inline constexpr char kUnsupportedFormatMessage[] = "Doesn't support this format at the moment!";

enum class DocumentDriver { Word, Excel, PowerPoint, Visio, Acrobat, WebPage, None };

DocumentDriver ChooseDriver(std::string_view input);

// Runs the chosen driver. A web page writes the unsupported-format message to
// standard output (no line end, flushed); web pages and unknown extensions
// give 0.
int PrintDocument(const std::string& input);

}  // namespace scrivola
