#include "PdfBuilder.h"

#include <cstdio>
#include <stdexcept>
#include <vector>

namespace pdfcrypt::test {

PdfBuilder& PdfBuilder::Junk(std::string bytes) {
    m_junk = std::move(bytes);
    return *this;
}
PdfBuilder& PdfBuilder::Version(std::string version) {
    m_version = std::move(version);
    return *this;
}
PdfBuilder& PdfBuilder::Object(int number, const std::string& body, int generation) {
    return RawObject(
        number,
        std::to_string(number) + " " + std::to_string(generation) + " obj\n" + body + "\nendobj\n",
        generation);
}
PdfBuilder& PdfBuilder::RawObject(int number, std::string text, int generation) {
    m_objects[number] = {std::move(text), generation};
    return *this;
}
PdfBuilder& PdfBuilder::FreeRow(int number, int generation) {
    m_freeRows[number] = generation;
    return *this;
}
PdfBuilder& PdfBuilder::TrailerKeys(std::string keys) {
    m_trailerKeys = std::move(keys);
    return *this;
}
PdfBuilder& PdfBuilder::Size(int size) {
    m_size = size;
    return *this;
}
PdfBuilder& PdfBuilder::RowEnd(std::string bytes) {
    m_rowEnd = std::move(bytes);
    return *this;
}

std::string PdfBuilder::Section(std::string& out, long long headerOffset,
                                std::optional<long long> previous) const {
    std::map<int, Row> rows;
    if (!previous) {
        rows[0] = {0, 65535, 'f'};
    }
    for (const auto& [number, object] : m_objects) {
        rows[number] = {static_cast<long long>(out.size()) - headerOffset, object.second, 'n'};
        out += object.first;
    }
    for (const auto& [number, generation] : m_freeRows) {
        rows[number] = {0, generation, 'f'};
    }
    const long long xref = static_cast<long long>(out.size()) - headerOffset;
    out += "xref\n";
    auto it = rows.begin();
    while (it != rows.end()) {
        auto runEnd = it;
        int count = 0;
        while (runEnd != rows.end() && runEnd->first == it->first + count) {
            ++runEnd;
            ++count;
        }
        out += std::to_string(it->first) + " " + std::to_string(count) + "\n";
        for (; it != runEnd; ++it) {
            char row[32];
            std::snprintf(row, sizeof row, "%010lld %05d %c", it->second.offset,
                          it->second.generation, it->second.type);
            out += row;
            out += m_rowEnd;
        }
    }
    const int size = m_size ? *m_size : (rows.empty() ? 1 : rows.rbegin()->first + 1);
    out += "trailer\n<< /Size " + std::to_string(size) + " " + m_trailerKeys;
    if (previous) {
        out += " /Prev " + std::to_string(*previous);
    }
    out += " >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    return out;
}

std::string PdfBuilder::Build() const {
    std::string out = m_junk + "%PDF-" + m_version + "\n%\xE2\xE3\xCF\xD3\n";
    Section(out, static_cast<long long>(m_junk.size()), std::nullopt);
    return out;
}

std::string PdfBuilder::BuildUpdateOf(const std::string& base) const {
    const std::size_t keyword = base.rfind("startxref");
    if (keyword == std::string::npos) {
        throw std::invalid_argument("base has no startxref");
    }
    const long long previous = std::stoll(base.substr(keyword + 10));
    std::string out = base;
    Section(out, 0, previous);
    return out;
}

PdfBuilder PdfBuilder::TextPage(const std::string& text, const std::string& title) {
    const std::string content = "BT /F1 24 Tf 72 700 Td (" + text + ") Tj ET";
    PdfBuilder builder;
    builder.Object(1, "<< /Type /Catalog /Pages 2 0 R >>")
        .Object(2, "<< /Type /Pages /Kids [3 0 R] /Count 1 >>")
        .Object(3,
                "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Contents 4 0 R "
                "/Resources << /Font << /F1 5 0 R >> >> >>")
        .Object(4, StreamBody("/Length " + std::to_string(content.size()), content))
        .Object(5, "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>")
        .Object(6, "<< /Title (" + title + ") /Producer (PdfBuilder) >>")
        .TrailerKeys("/Root 1 0 R /Info 6 0 R");
    return builder;
}

std::string StreamBody(const std::string& dictionary, const std::string& data,
                       const std::string& eol) {
    return "<< " + dictionary + " >>\nstream\n" + data + eol + "endstream";
}

}  // namespace pdfcrypt::test
