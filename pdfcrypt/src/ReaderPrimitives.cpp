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

std::size_t NextOf(const std::string& input, char wanted, std::size_t from) {
    if (from >= input.size()) {
        return input.size();
    }
    const void* hit = std::memchr(input.data() + from, wanted, input.size() - from);
    return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - input.data())
               : input.size();
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
    std::size_t nextE = NextOf(m_input, 'e', begin);
    std::size_t nextPercent = NextOf(m_input, '%', begin);
    while (true) {
        const std::size_t at = std::min(nextE, nextPercent);
        if (at >= size) {
            m_position = static_cast<std::int64_t>(size);
            location.length = size - begin;
            return location;
        }
        const std::size_t after = at + 1;
        if (at == nextE) {
            const auto look = LookAhead<kEndLookahead>(m_input, after);
            const std::string_view ahead(look.data(), look.size());
            if (ahead.starts_with("ndobj") && EndsObjectKeyword(look[5])) {
                m_position = static_cast<std::int64_t>(std::min(after + kEndLookahead, size));
                location.length = after + 5 - begin;
                return location;
            }
            if (ahead.starts_with("ndstream") && EndsObjectKeyword(look[8])) {
                m_position = static_cast<std::int64_t>(after);
                location.length = after + 8 - begin;
                location.endobjAppended = true;
                return location;
            }
            nextE = NextOf(m_input, 'e', after);
        } else {
            const auto look = LookAhead<kEofLookahead>(m_input, after);
            const std::string_view ahead(look.data(), look.size());
            const char last = look[4];
            if (ahead.starts_with("%EOF") &&
                (last == ' ' || last == '\r' || last == '\n' || last == '\0')) {
                m_position = static_cast<std::int64_t>(std::min(after + kEofLookahead, size));
                location.length = after + 4 - begin;
                return location;
            }
            nextPercent = NextOf(m_input, '%', after);
        }
    }
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
