#include "PdfDocument.h"

#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <stdexcept>
#include <vector>

namespace office {

struct PdfDocument::Impl {
    QPDF pdf;
    std::vector<QPDFPageObjectHelper> pages;
};

PdfDocument::PdfDocument(const std::string& path) : m_impl(std::make_unique<Impl>()) {
    m_impl->pdf.setSuppressWarnings(true);
    try {
        m_impl->pdf.processFile(path.c_str());
        m_impl->pages = QPDFPageDocumentHelper(m_impl->pdf).getAllPages();
    } catch (const std::exception& error) {
        throw std::runtime_error("cannot read " + path + " as PDF: " + error.what());
    }
}

PdfDocument::~PdfDocument() = default;

int PdfDocument::PageCount() const {
    return static_cast<int>(m_impl->pages.size());
}

void PdfDocument::WritePages(int first, int last, const std::string& destination) const {
    if (first < 0 || last < first || last >= PageCount()) {
        throw std::runtime_error("pages " + std::to_string(first + 1) + " to " +
                                 std::to_string(last + 1) + " are not in the document");
    }
    try {
        QPDF output;
        output.emptyPDF();
        QPDFPageDocumentHelper outputPages(output);
        for (int page = first; page <= last; ++page) {
            outputPages.addPage(m_impl->pages[static_cast<std::size_t>(page)], false);
        }
        QPDFWriter writer(output, destination.c_str());
        writer.write();
    } catch (const std::exception& error) {
        throw std::runtime_error("cannot write " + destination + ": " + error.what());
    }
}

}  // namespace office
