#pragma once
// A PDF file opened with libqpdf: its page count and copies of page ranges.
#include <memory>
#include <string>

namespace office {

class PdfDocument {
  public:
    // Throws std::runtime_error when the file is not a PDF that can be read.
    explicit PdfDocument(const std::string& path);
    ~PdfDocument();
    PdfDocument(const PdfDocument&) = delete;
    PdfDocument& operator=(const PdfDocument&) = delete;

    int PageCount() const;
    // Writes pages first..last (counted from 0, both included) to a new PDF
    // file. Throws std::runtime_error on a bad range or a failed write.
    void WritePages(int first, int last, const std::string& destination) const;

  private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace office
