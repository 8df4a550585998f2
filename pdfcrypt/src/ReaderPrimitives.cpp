// The reader's primitives over the input bytes: object texts, dictionary keys, lines.
#include <algorithm>
#include <array>
#include <cstring>

#include "ByteScan.h"
#include "CPDFDocument.h"

namespace pdfcrypt {
namespace {

constexpr std::size_t kEndLookahead = 12;
constexpr std::size_t kEofLookahead = 5;

bool EndsObjectKeyword(char c) {
    return c == ' ' || c == '\r' || c == '\n' || c == '\0' || IsDigitByte(c);
}

bool IsKeyDelimiter(char c) {
    return c == '>' || c == '<' || c == ' ' || c == '(' || c == '[' || c == '/' || c == '\r' ||
           c == '\n';
}

// The bytes at pos, zero-filled past the end of the input, as a fixed-size look-ahead.
template <std::size_t N>
std::array<char, N> LookAhead(const std::string& input, std::size_t pos) {
    std::array<char, N> bytes{};
    if (pos < input.size()) {
        std::memcpy(bytes.data(), input.data() + pos, std::min(N, input.size() - pos));
    }
    return bytes;
}

// The next wanted byte in [from, limit), or limit.
std::size_t NextOf(const std::string& input, char wanted, std::size_t from, std::size_t limit) {
    if (from >= limit) {
        return limit;
    }
    const void* hit = std::memchr(input.data() + from, wanted, limit - from);
    return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - input.data()) : limit;
}

}  // namespace

bool CPDFDocument::Seek(std::int64_t position) {
    if (position < 0) {
        return false;
    }
    m_position = position;
    return true;
}

int CPDFDocument::ReadByte() {
    if (m_position < 0 || m_position >= static_cast<std::int64_t>(m_input.size())) {
        return -1;
    }
    return static_cast<unsigned char>(m_input[static_cast<std::size_t>(m_position++)]);
}

// An object runs from its position through its "endobj" keyword. A stream's data are scanned
// like any other bytes, and a stream object always ends "endstream", LF, "endobj". A trailer
// read from its keyword ends with "%%EOF".
std::string CPDFDocument::ReadObjectText(std::int64_t position) {
    const TextLocation location = LocateObjectText(position);
    std::string text;
    text.reserve(location.length + 7);
    text.append(m_input, location.begin, location.length);
    if (location.endobjAppended) {
        text += "\nendobj";
    }
    return text;
}

CPDFDocument::TextLocation CPDFDocument::LocateObjectText(std::int64_t position) {
    TextLocation location;
    if (position != -1 && !Seek(position)) {
        return location;
    }
    const std::size_t size = m_input.size();
    if (m_position >= static_cast<std::int64_t>(size)) {
        return location;
    }
    const auto begin = static_cast<std::size_t>(m_position);
    location.begin = begin;
    // The first "endobj" or "endstream" ends the text unless a "%%EOF" comes before it, so
    // "%" is looked for only up to that end, never through the rest of the file.
    std::size_t end = size;
    std::size_t resume = size;
    bool endstream = false;
    for (std::size_t at = NextOf(m_input, 'e', begin, size); at < size;
         at = NextOf(m_input, 'e', at + 1, size)) {
        const auto look = LookAhead<kEndLookahead>(m_input, at + 1);
        const std::string_view ahead(look.data(), look.size());
        if (ahead.starts_with("ndobj") && EndsObjectKeyword(look[5])) {
            end = at + 6;
            resume = std::min(at + 1 + kEndLookahead, size);
            break;
        }
        if (ahead.starts_with("ndstream") && EndsObjectKeyword(look[8])) {
            end = at + 9;
            resume = at + 1;
            endstream = true;
            break;
        }
    }
    for (std::size_t at = NextOf(m_input, '%', begin, end); at < end;
         at = NextOf(m_input, '%', at + 1, end)) {
        const auto look = LookAhead<kEofLookahead>(m_input, at + 1);
        const std::string_view ahead(look.data(), look.size());
        const char last = look[4];
        if (ahead.starts_with("%EOF") &&
            (last == ' ' || last == '\r' || last == '\n' || last == '\0')) {
            m_position = static_cast<std::int64_t>(std::min(at + 1 + kEofLookahead, size));
            location.length = at + 5 - begin;
            return location;
        }
    }
    m_position = static_cast<std::int64_t>(resume);
    location.length = end - begin;
    location.endobjAppended = endstream;
    return location;
}

std::optional<std::size_t> CPDFDocument::FindKey(std::string_view text, std::string_view key) {
    if (key.empty()) {
        return std::nullopt;
    }
    std::size_t from = 0;
    while (true) {
        const std::size_t found = text.find(key, from);
        if (found == std::string_view::npos) {
            return std::nullopt;
        }
        const std::size_t after = found + key.size();
        if (after < text.size() && IsKeyDelimiter(text[after])) {
            return after + 1;
        }
        from = found + 1;
    }
}

// CR LF, LF CR, CR CR and LF LF each end one line. A full buffer ends the line and drops the
// byte that did not fit.
std::size_t CPDFDocument::ReadLine(std::string& line, std::size_t maximum) {
    line.clear();
    while (true) {
        const int c = ReadByte();
        if (c < 0) {
            return line.size();
        }
        if (c == '\r' || c == '\n') {
            const int next = ReadByte();
            if (next >= 0 && next != '\r' && next != '\n') {
                --m_position;
            }
            return line.size();
        }
        if (line.size() >= maximum) {
            return line.size();
        }
        line += static_cast<char>(c);
    }
}

}  // namespace pdfcrypt
