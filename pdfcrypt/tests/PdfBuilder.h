#pragma once

#include <map>
#include <optional>
#include <string>

namespace pdfcrypt::test {

// Builds small PDF files with classic cross-reference tables, computing every offset, so that a
// test can state the one unusual thing it is about.
class PdfBuilder {
  public:
    PdfBuilder& Junk(std::string bytes);
    PdfBuilder& Version(std::string version);
    // "N G obj\n" body "\nendobj\n".
    PdfBuilder& Object(int number, const std::string& body, int generation = 0);
    // Exact bytes at the object's offset.
    PdfBuilder& RawObject(int number, std::string text, int generation = 0);
    PdfBuilder& FreeRow(int number, int generation = 1);
    // Keys of the trailer besides /Size; "/Root 1 0 R" unless set.
    PdfBuilder& TrailerKeys(std::string keys);
    PdfBuilder& Size(int size);
    // Bytes after the type letter of each row: " \n" gives 20-byte rows.
    PdfBuilder& RowEnd(std::string bytes);

    std::string Build() const;
    // An incremental update of base made of this builder's objects, free rows and trailer;
    // offsets are taken relative to base's header, which must be at offset 0.
    std::string BuildUpdateOf(const std::string& base) const;

    // A one-page document showing text, with an /Info dictionary holding a title.
    static PdfBuilder TextPage(const std::string& text, const std::string& title);

  private:
    struct Row {
        long long offset;
        int generation;
        char type;
    };
    std::string Section(std::string& out, long long headerOffset,
                        std::optional<long long> previous) const;

    std::string m_junk;
    std::string m_version = "1.4";
    std::map<int, std::pair<std::string, int>> m_objects;
    std::map<int, int> m_freeRows;
    std::string m_trailerKeys = "/Root 1 0 R";
    std::optional<int> m_size;
    std::string m_rowEnd = " \n";
};

// "<< dictionary >>\nstream\n" data eol "endstream".
std::string StreamBody(const std::string& dictionary, const std::string& data,
                       const std::string& eol = "\n");

}  // namespace pdfcrypt::test
