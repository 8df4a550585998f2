#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

// Bounds-checked byte helpers shared by the reader and the writer. Every search and comparison
// is on bytes and case-sensitive.
namespace pdfcrypt {

inline bool IsSpaceByte(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
inline bool IsDigitByte(char c) {
    return c >= '0' && c <= '9';
}
inline bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// First occurrence of needle lying wholly inside [begin, end) of bytes.
std::optional<std::size_t> FindForward(std::string_view bytes, std::string_view needle,
                                       std::size_t begin, std::size_t end);
// Last occurrence of needle lying wholly inside [begin, end) of bytes.
std::optional<std::size_t> FindBackward(std::string_view bytes, std::string_view needle,
                                        std::size_t begin, std::size_t end);

// Decimal conversion: leading whitespace, optional sign, digits up to the first other byte or
// the end of bytes; no digits gives 0. Values beyond the 32-bit range saturate, so callers see
// an out-of-range number rather than a wrapped one.
std::int32_t ParseInteger(std::string_view bytes, std::size_t pos);

// Value of a hexadecimal digit, or -1.
int HexDigitValue(char c);

}  // namespace pdfcrypt
