// Reading the classic cross-reference sections: the newest through "startxref", older ones
// through /Prev.
#include <algorithm>
#include <unordered_set>

#include "ByteScan.h"
#include "CPDFDocument.h"

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
    // Older sections are optional: a loop, a failure or a chain that has already gone through
    // far more bytes than the file holds (sections overlapping each other) ends the chain.
    const std::int64_t workBudget = 2 * static_cast<std::int64_t>(m_input.size()) + (1 << 20);
    std::unordered_set<std::int64_t> visited{position};
    std::int64_t previous = newest.previous;
    while (previous > 0 && visited.insert(previous).second && m_sectionBytesRead <= workBudget) {
        const SectionResult older = ReadSection(previous, false);
        if (!older.ok) {
            break;
        }
        previous = older.previous;
    }
    return true;
}

CPDFDocument::SectionResult CPDFDocument::ReadSection(std::int64_t position, bool newest) {
    SectionResult result;
    const auto size = static_cast<std::int64_t>(m_input.size());
    if (position < 0) {
        return result;
    }
    std::int64_t start = position;
    while (start < size &&
           (m_input[start] == '\r' || m_input[start] == '\n' || m_input[start] == ' ')) {
        ++start;
    }
    if (start + 4 > size || std::string_view(m_input).substr(start, 4) != "xref") {
        return result;
    }
    const auto trailer = WalkToTrailer(start + 4);
    if (!trailer) {
        return result;
    }
    Seek(*trailer + 7);
    const std::string trailerText = ReadObjectText(-1);
    m_sectionBytesRead += static_cast<std::int64_t>(trailerText.size());
    if (!ApplyTrailerKeys(trailerText, newest, result)) {
        return result;
    }
    Seek(start + 4);
    if (!ReadSubsections()) {
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

bool CPDFDocument::ApplyTrailerKeys(std::string_view trailer, bool newest, SectionResult& result) {
    // Keys count only inside the trailer dictionary, before its closing brackets.
    const auto close = FindKey(trailer, ">>");
    const auto counted = [&](std::string_view key) -> std::optional<std::size_t> {
        const auto found = FindKey(trailer, key);
        if (found && close && *found < *close) {
            return found;
        }
        return std::nullopt;
    };
    if (const auto root = counted("/Root")) {
        m_xref.root = ParseInteger(trailer, *root);
    }
    if (const auto encrypt = counted("/Encrypt")) {
        if (trailer.substr(*encrypt).starts_with("null")) {
            m_encrypted = false;
        } else {
            m_encrypted = true;
            m_xref.encryptObject = ParseInteger(trailer, *encrypt);
        }
    }
    if (const auto info = counted("/Info")) {
        m_xref.info = ParseInteger(trailer, *info);
    }
    const auto sizeKey = counted("/Size");
    if (!sizeKey) {
        return false;
    }
    const std::int32_t size = ParseInteger(trailer, *sizeKey);
    if (size <= 0) {
        return false;
    }
    if (const auto prev = counted("/Prev")) {
        result.previous = std::int64_t{ParseInteger(trailer, *prev)} + m_headerOffset;
    }
    if (m_xref.entries.empty()) {
        if (!newest || size > ObjectLimit()) {
            return false;
        }
        m_xref.entries.assign(static_cast<std::size_t>(size), XrefEntry{});
    }
    return true;
}

bool CPDFDocument::ReadSubsections() {
    std::string line;
    while (true) {
        int c;
        do {
            c = ReadByte();
            if (c < 0) {
                return false;
            }
        } while (IsSpaceByte(static_cast<char>(c)));
        if (c == 't') {
            return true;
        }
        --m_position;
        const auto first = ReadSubsectionNumber();
        if (!first) {
            return false;
        }
        while (m_position < static_cast<std::int64_t>(m_input.size()) &&
               IsSpaceByte(m_input[m_position])) {
            ++m_position;
        }
        const auto count = ReadSubsectionNumber();
        if (!count) {
            return false;
        }
        while (m_position < static_cast<std::int64_t>(m_input.size()) &&
               IsSpaceByte(m_input[m_position])) {
            ++m_position;
        }
        const std::int64_t end = *first + *count;
        if (end > ObjectLimit()) {
            return false;
        }
        if (static_cast<std::int64_t>(m_xref.entries.size()) < end) {
            m_xref.entries.resize(static_cast<std::size_t>(end));
        }
        for (std::int64_t objectNumber = *first; objectNumber < end; ++objectNumber) {
            if (ReadLine(line, kMaxRowLine) == 0) {
                break;
            }
            const auto row = ParseRow(line);
            if (!row) {
                continue;
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
