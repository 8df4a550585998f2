#include "testing/MinimalPdf.h"

#include <cstdio>
#include <fstream>

namespace testpdf {

namespace {

std::string PdfString(const std::string& text) {
    std::string escaped = "(";
    for (const char c : text) {
        if (c == '(' || c == ')' || c == '\\') {
            escaped += '\\';
        }
        escaped += c;
    }
    return escaped + ")";
}

}  // namespace

std::string MinimalPdf(const std::vector<std::string>& pageTexts, const PdfOptions& options) {
    // Catalog, page tree and font first, then each page followed by its
    // content stream, then the Info dictionary if there is one.
    const int pageCount = static_cast<int>(pageTexts.size());
    const int firstPage = 4;
    std::vector<std::string> objects;
    objects.push_back("<< /Type /Catalog /Pages 2 0 R >>");
    std::string kids;
    for (int i = 0; i < pageCount; ++i) {
        kids += std::to_string(firstPage + 2 * i) + " 0 R ";
    }
    objects.push_back("<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pageCount) +
                      " >>");
    objects.push_back("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>");
    for (int i = 0; i < pageCount; ++i) {
        objects.push_back("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 " +
                          std::to_string(options.width) + " " + std::to_string(options.height) +
                          "] /Resources << /Font << /F1 3 0 R >> >> /Contents " +
                          std::to_string(firstPage + 2 * i + 1) + " 0 R >>");
        // An inch from the top left, so that the text is on any page size.
        const std::string content = "BT /F1 12 Tf 72 " + std::to_string(options.height - 72) +
                                    " Td " + PdfString(pageTexts[static_cast<std::size_t>(i)]) +
                                    " Tj ET";
        objects.push_back("<< /Length " + std::to_string(content.size()) + " >>\nstream\n" +
                          content + "\nendstream");
    }
    const bool info = !options.title.empty() || !options.producer.empty();
    if (info) {
        std::string dictionary = "<<";
        if (!options.title.empty()) {
            dictionary += " /Title " + PdfString(options.title);
        }
        if (!options.producer.empty()) {
            dictionary += " /Producer " + PdfString(options.producer);
        }
        objects.push_back(dictionary + " >>");
    }

    // The comment of high bytes marks the file as binary to transfer tools.
    std::string pdf = "%PDF-1.4\n%\xE2\xE3\xCF\xD3\n";
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(pdf.size());
        pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const std::size_t xref = pdf.size();
    pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (const std::size_t offset : offsets) {
        char line[32];
        std::snprintf(line, sizeof line, "%010zu 00000 n \n", offset);
        pdf += line;
    }
    pdf += "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R";
    if (info) {
        pdf += " /Info " + std::to_string(objects.size()) + " 0 R";
    }
    if (options.fileIdentifier) {
        pdf += " /ID [<0123456789abcdef0123456789abcdef><0123456789abcdef0123456789abcdef>]";
    }
    pdf += " >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    return pdf;
}

std::string MinimalPdf(int pages) {
    std::vector<std::string> texts;
    for (int page = 1; page <= pages; ++page) {
        texts.push_back("Page " + std::to_string(page));
    }
    return MinimalPdf(texts);
}

bool WritePdf(const std::string& path, const std::string& pdf) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << pdf;
    file.close();
    return !file.fail();
}

}  // namespace testpdf
