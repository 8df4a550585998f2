// Reading the classic cross-reference sections: the newest through "startxref", older ones
// through /Prev.
#include <algorithm>
#include <unordered_set>

#include "ByteScan.h"
#include "CPDFDocument.h"
#include "ObjectSyntax.h"

namespace pdfcrypt {
namespace {

constexpr std::int64_t kRowSize = 20;
constexpr std::size_t kWalkWindow = 35;
constexpr std::size_t kTrailerFallbackWindow = 1023;
constexpr std::size_t kMaxRowLine = 1024;
constexpr int kMaxNumberDigits = 20;

struct Row {
    std::int32_t offset = 0;
    std::int32_t generation = 0;
    std::uint8_t type = 0;
};

// One "%d" field: whitespace, optional sign, at least one digit, within 32 bits.
std::optional<std::int32_t> ScanInt(std::string_view line, std::size_t& i) {
    while (i < line.size() && IsSpaceByte(line[i])) {
        ++i;
    }
    bool negative = false;
    if (i < line.size() && (line[i] == '-' || line[i] == '+')) {
        negative = line[i] == '-';
        ++i;
    }
    const std::size_t digitsStart = i;
    std::int64_t value = 0;
    for (; i < line.size() && IsDigitByte(line[i]); ++i) {
        value = std::min<std::int64_t>(value * 10 + (line[i] - '0'), std::int64_t{1} << 40);
    }
    if (i == digitsStart) {
        return std::nullopt;
    }
    value = negative ? -value : value;
    if (value < INT32_MIN || value > INT32_MAX) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

// A table row "offset generation type". A generation outside the format's range would not fit
// the fixed-width row the writer produces, so such a row counts as one that does not parse.
std::optional<Row> ParseRow(std::string_view line) {
    line = line.substr(0, line.find('\0'));
    std::size_t i = 0;
    const auto offset = ScanInt(line, i);
    if (!offset) {
        return std::nullopt;
    }
    const auto generation = ScanInt(line, i);
    if (!generation || *generation < 0 || *generation > 65535) {
        return std::nullopt;
    }
    while (i < line.size() && IsSpaceByte(line[i])) {
        ++i;
    }
    if (i >= line.size()) {
        return std::nullopt;
    }
    return Row{*offset, *generation, static_cast<std::uint8_t>(line[i])};
}

}  // namespace

bool CPDFDocument::ReadSectionChain(std::int64_t position) {
    const SectionResult newest = ReadSection(position, true);
    if (!newest.ok) {
        return false;
    }
    // Every older section counts: a file whose chain loops, breaks or goes through far more
    // bytes than the file holds (sections overlapping each other) needs repair, which is not
    // ours to guess.
    const std::int64_t workBudget = 2 * static_cast<std::int64_t>(m_input.size()) + (1 << 20);
    std::unordered_set<std::int64_t> visited{position};
    std::int64_t previous = newest.previous;
    while (previous > 0) {
        if (!visited.insert(previous).second) {
            return Refuse("cross-reference chain", -1, previous,
                          "/Prev leads back to a section already read");
        }
        if (m_sectionBytesRead > workBudget) {
            return Refuse("cross-reference chain", -1, previous,
                          "sections overlap far beyond the size of the file");
        }
        const SectionResult older = ReadSection(previous, false);
        if (!older.ok) {
            return false;
        }
        previous = older.previous;
    }
    return true;
}

CPDFDocument::SectionResult CPDFDocument::ReadSection(std::int64_t position, bool newest) {
    SectionResult result;
    const auto size = static_cast<std::int64_t>(m_input.size());
    if (position < 0 || position >= size) {
        Refuse("cross-reference section", -1, position, "position outside the file");
        return result;
    }
    std::int64_t start = position;
    while (start < size &&
           (m_input[start] == '\r' || m_input[start] == '\n' || m_input[start] == ' ')) {
        ++start;
    }
    if (start + 4 > size || std::string_view(m_input).substr(start, 4) != "xref") {
        Refuse("cross-reference section", -1, start,
               "no \"xref\" table here (missing table or cross-reference stream)");
        return result;
    }
    const auto trailer = WalkToTrailer(start + 4);
    if (!trailer) {
        Refuse("cross-reference section", -1, start, "no trailer after the table");
        return result;
    }
    const std::string_view input(m_input);
    const std::size_t open =
        SkipWhitespaceAndComments(input, static_cast<std::size_t>(*trailer) + 7);
    const auto close = DictionaryEnd(input, open);
    if (!close) {
        Refuse("trailer", -1, *trailer, "no complete dictionary after \"trailer\"");
        return result;
    }
    const std::string_view trailerText = input.substr(open, *close - open);
    m_sectionBytesRead += static_cast<std::int64_t>(trailerText.size());
    if (!ApplyTrailerKeys(trailerText, newest, result)) {
        Refuse("trailer", -1, *trailer, "no usable /Size");
        return result;
    }
    Seek(start + 4);
    if (!ReadSubsections(*trailer)) {
        return result;
    }
    m_sectionBytesRead += std::max<std::int64_t>(m_position - start, 0);
    result.ok = true;
    return result;
}

// Finds the trailer keyword assuming rows of exactly 20 bytes, with one fallback to the last
// "trailer" near the end of the file for tables that are not laid out that way.
std::optional<std::int64_t> CPDFDocument::WalkToTrailer(std::int64_t p) {
    const auto size = static_cast<std::int64_t>(m_input.size());
    bool fellBack = false;
    while (true) {
        if (p < 0 || p + static_cast<std::int64_t>(kWalkWindow) > size) {
            return std::nullopt;
        }
        const std::string_view window = std::string_view(m_input).substr(p, kWalkWindow);
        if (window.starts_with("trailer")) {
            return p;
        }
        std::size_t k = 0;
        while (k < window.size() && IsSpaceByte(window[k])) {
            ++k;
        }
        while (k < window.size() && IsDigitByte(window[k])) {
            ++k;
        }
        while (k < window.size() && IsSpaceByte(window[k])) {
            ++k;
        }
        const std::int32_t rows = ParseInteger(window, k);
        while (k < window.size() && IsDigitByte(window[k])) {
            ++k;
        }
        while (k < window.size() && IsSpaceByte(window[k])) {
            ++k;
        }
        // A negative count would walk backwards and could cycle for ever.
        if (k == 0 || rows < 0) {
            if (fellBack) {
                return std::nullopt;
            }
            fellBack = true;
            const std::size_t tail = m_input.size() > kTrailerFallbackWindow
                                         ? m_input.size() - kTrailerFallbackWindow
                                         : 0;
            const auto found = FindBackward(m_input, "trailer", tail, m_input.size());
            if (!found) {
                return std::nullopt;
            }
            p = static_cast<std::int64_t>(*found);
            continue;
        }
        p += kRowSize * rows + static_cast<std::int64_t>(k);
    }
}

// Keys count only among the trailer dictionary's own entries. A newer section's keys win over
// an older one's, as they do for the rows.
bool CPDFDocument::ApplyTrailerKeys(std::string_view trailer, bool newest, SectionResult& result) {
    const auto value = [&](std::string_view key) { return DictionaryValue(trailer, 0, key); };
    if (const auto root = value("/Root"); root && !m_rootKnown) {
        m_xref.root = ParseInteger(trailer, *root);
        m_rootKnown = true;
    }
    if (const auto encrypt = value("/Encrypt"); encrypt && !m_encryptKnown) {
        m_encryptKnown = true;
        if (trailer.substr(*encrypt).starts_with("null")) {
            m_encrypted = false;
        } else {
            m_encrypted = true;
            m_xref.encryptObject = ParseInteger(trailer, *encrypt);
        }
    }
    if (const auto info = value("/Info"); info && !m_infoKnown) {
        m_xref.info = ParseInteger(trailer, *info);
        m_infoKnown = true;
    }
    const auto sizeKey = value("/Size");
    if (!sizeKey) {
        return false;
    }
    const std::int32_t size = ParseInteger(trailer, *sizeKey);
    if (size <= 0) {
        return false;
    }
    if (const auto prev = value("/Prev")) {
        result.previous = std::int64_t{ParseInteger(trailer, *prev)} + m_headerOffset;
    }
    if (m_xref.entries.empty()) {
        if (!newest || size > ObjectLimit()) {
            return false;
        }
        // One more for the encryption dictionary, so adding it moves no entries.
        m_xref.entries.reserve(static_cast<std::size_t>(size) + 1);
        m_xref.entries.assign(static_cast<std::size_t>(size), XrefEntry{});
    }
    return true;
}

// Every row must read as offset, generation and "n" or "f", and the rows must end exactly where
// the trailer was found; anything else is a damaged table.
bool CPDFDocument::ReadSubsections(std::int64_t trailer) {
    std::string line;
    while (true) {
        int c;
        do {
            c = ReadByte();
            if (c < 0) {
                return Refuse("cross-reference table", -1, m_position, "end of file in the table");
            }
        } while (IsSpaceByte(static_cast<char>(c)));
        if (c == 't') {
            if (m_position - 1 != trailer) {
                return Refuse("cross-reference table", -1, m_position - 1,
                              "the rows do not end at the trailer (truncated or damaged table)");
            }
            return true;
        }
        --m_position;
        const std::int64_t headerAt = m_position;
        const auto first = ReadSubsectionNumber();
        if (!first) {
            return Refuse("cross-reference table", -1, headerAt,
                          "subsection header has no first object number");
        }
        while (m_position < static_cast<std::int64_t>(m_input.size()) &&
               IsSpaceByte(m_input[m_position])) {
            ++m_position;
        }
        const auto count = ReadSubsectionNumber();
        if (!count) {
            return Refuse("cross-reference table", -1, headerAt,
                          "subsection header has no row count");
        }
        while (m_position < static_cast<std::int64_t>(m_input.size()) &&
               IsSpaceByte(m_input[m_position])) {
            ++m_position;
        }
        const std::int64_t end = *first + *count;
        if (end > ObjectLimit()) {
            return Refuse("cross-reference table", -1, headerAt,
                          "subsection lists more objects than the file can hold");
        }
        if (static_cast<std::int64_t>(m_xref.entries.size()) < end) {
            m_xref.entries.reserve(static_cast<std::size_t>(end) + 1);
            m_xref.entries.resize(static_cast<std::size_t>(end));
        }
        for (std::int64_t objectNumber = *first; objectNumber < end; ++objectNumber) {
            const std::int64_t rowAt = m_position;
            ReadLine(line, kMaxRowLine);
            const auto row = ParseRow(line);
            if (!row || row->offset < 0 || (row->type != 'n' && row->type != 'f')) {
                return Refuse("cross-reference table", objectNumber, rowAt,
                              "row does not read as offset, generation and n or f");
            }
            XrefEntry& entry = m_xref.entries[static_cast<std::size_t>(objectNumber)];
            if (!entry.IsUnfilled()) {
                continue;
            }
            entry.objectNumber = static_cast<std::int32_t>(objectNumber);
            entry.offset = row->offset > 0 ? row->offset + m_headerOffset : row->offset;
            entry.generation = row->generation;
            entry.type = row->type;
        }
    }
}

// Up to 20 decimal digits; the byte that ends them is consumed with them.
std::optional<std::int64_t> CPDFDocument::ReadSubsectionNumber() {
    std::int64_t value = 0;
    int digits = 0;
    while (digits < kMaxNumberDigits) {
        const int c = ReadByte();
        if (c < 0 || !IsDigitByte(static_cast<char>(c))) {
            break;
        }
        value = std::min<std::int64_t>(value * 10 + (c - '0'), std::int64_t{1} << 40);
        ++digits;
    }
    if (digits == 0) {
        return std::nullopt;
    }
    return value;
}

}  // namespace pdfcrypt
