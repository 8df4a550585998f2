#pragma once
// Small, well-formed PDF files for tests: one Helvetica line of text per
// page. Not `testing`, so that it never hides GoogleTest's namespace.
#include <string>
#include <vector>

namespace testpdf {

struct PdfOptions {
    // Page size in points; A4 unless told.
    int width = 595;
    int height = 842;
    // Written to an Info dictionary when either is set.
    std::string title;
    std::string producer;
    // A fixed file identifier in the trailer, as a converter's output has.
    bool fileIdentifier = false;
};

// A PDF with one page per text, each page showing its text.
std::string MinimalPdf(const std::vector<std::string>& pageTexts, const PdfOptions& options = {});

// A PDF of `pages` A4 pages, page N showing "Page N".
std::string MinimalPdf(int pages);

// Writes `pdf` to `path`, replacing what was there; false when it cannot.
bool WritePdf(const std::string& path, const std::string& pdf);

}  // namespace testpdf
