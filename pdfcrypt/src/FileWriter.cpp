// Writing the complete encrypted file: header, the objects, one cross-reference section and the
// trailer with the file identifier.
#include <sys/stat.h>

#include <array>
#include <charconv>
#include <cstdio>
#include <limits>
#include <memory>

#include "AtomicFile.h"
#include "CPDFDocument.h"
#include "PdfString.h"

namespace pdfcrypt {
namespace {

constexpr std::size_t kRowBlock = 4096;

std::string VersionText(double version) {
    std::array<char, 32> buffer{};
    // to_chars ignores the process locale, which a desktop program may have set to one with a
    // decimal comma.
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), version,
                                      std::chars_format::fixed, 1);
    return std::string(buffer.data(), result.ptr);
}

// The check reads objects in file order, a few bytes each: one read per window instead of one
// per object keeps it close to the cost of copying the file.
class WindowedReader {
  public:
    explicit WindowedReader(int fd) : m_fd(fd) {}
    std::string operator()(std::int64_t offset, std::size_t length) {
        if (length > kWindow) {
            return ReadFileAt(m_fd, offset, length);
        }
        if (offset < m_start || offset + static_cast<std::int64_t>(length) >
                                    m_start + static_cast<std::int64_t>(m_window->size())) {
            *m_window = ReadFileAt(m_fd, offset, kWindow);
            m_start = offset;
        }
        const auto at = static_cast<std::size_t>(offset - m_start);
        return at < m_window->size() ? m_window->substr(at, length) : std::string();
    }

  private:
    static constexpr std::size_t kWindow = 64 * 1024;
    int m_fd;
    std::int64_t m_start = 0;
    // Shared, since the reader is copied into a std::function.
    std::shared_ptr<std::string> m_window = std::make_shared<std::string>();
};

}  // namespace

bool CPDFDocument::WriteTo(OutputSink& sink) {
    const std::size_t count = m_xref.entries.size();
    if (count == 0) {
        return Refuse("write", -1, -1, "no objects");
    }
    sink.Write("%PDF-");
    sink.Write(VersionText(m_version));
    sink.Write("\n%");
    sink.Write(kProducerTag);
    sink.Write("\n");
    for (std::size_t i = 1; i < count; ++i) {
        XrefEntry& entry = m_xref.entries[i];
        if (entry.offset <= 0) {
            continue;
        }
        entry.newOffset = sink.Position();
        sink.Write(entry.objectText.Body());
        sink.Write(entry.objectText.Suffix());
        sink.Write("\n");
    }
    const std::int64_t crossReference = sink.Position();
    // Rows hold ten-digit offsets and the file's positions are 32-bit.
    if (crossReference > std::numeric_limits<std::int32_t>::max()) {
        return Refuse("write", -1, crossReference, "output would exceed 2 GiB");
    }
    m_crossReferenceOffset = crossReference;
    sink.Write("xref\n0 " + std::to_string(count) + "\n");
    // Rows go out in blocks, so a table of millions of rows is never held whole.
    std::string rows;
    rows.reserve(kRowBlock * 20);
    std::array<char, 32> row{};
    for (const XrefEntry& entry : m_xref.entries) {
        // A row without an object (free, listed nowhere, or in use at offset 0) is written
        // free: readers flag an in-use row at offset 0, and a missing object is null either way.
        const char type = entry.offset > 0 ? 'n' : 'f';
        const long long offset = entry.offset > 0 ? entry.newOffset : 0;
        std::snprintf(row.data(), row.size(), "%010lld %05d %c\r\n", offset, entry.generation,
                      type);
        rows.append(row.data(), 20);
        if (rows.size() >= kRowBlock * 20) {
            sink.Write(rows);
            rows.clear();
        }
    }
    sink.Write(rows);

    std::string trailer = "trailer\n<</Size " + std::to_string(count) + " /Root " +
                          std::to_string(m_xref.root) + " 0 R\n";
    if (m_xref.info > 0) {
        trailer += "/Info " + std::to_string(m_xref.info) + " 0 R\n";
    }
    if (m_encrypted) {
        trailer += "/Encrypt " + std::to_string(m_xref.encryptObject) + " 0 R\n";
    }
    const auto& identifier = m_security.FileIdentifier();
    std::string identifierHex;
    AppendHex(identifierHex, std::string_view(reinterpret_cast<const char*>(identifier.data()),
                                              identifier.size()));
    trailer += "/ID[<" + identifierHex + "><" + identifierHex + ">]\n";
    trailer += " >>\nstartxref\n" + std::to_string(crossReference) + "\n%%EOF\n";
    sink.Write(trailer);
    return true;
}

bool CPDFDocument::WriteFile(const std::string& path) {
    const bool replaced = ReplaceFileAtomically(
        path, [this](OutputSink& sink) { return WriteTo(sink); },
        [this](int fd) {
            struct stat info {};
            if (::fstat(fd, &info) != 0) {
                return Refuse("output check", -1, -1, "cannot read the written file back");
            }
            return VerifyOutput(WindowedReader(fd), info.st_size);
        });
    if (!replaced) {
        Refuse("write", -1, -1, "cannot write " + path);
    }
    return replaced;
}

}  // namespace pdfcrypt
