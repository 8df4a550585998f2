#include "ByteScan.h"

#include <algorithm>
#include <limits>

namespace pdfcrypt {

std::optional<std::size_t> FindForward(std::string_view bytes, std::string_view needle,
                                       std::size_t begin, std::size_t end) {
    end = std::min(end, bytes.size());
    if (begin >= end || needle.size() > end - begin) {
        return std::nullopt;
    }
    const std::size_t found = bytes.substr(0, end).find(needle, begin);
    if (found == std::string_view::npos) {
        return std::nullopt;
    }
    return found;
}

std::optional<std::size_t> FindBackward(std::string_view bytes, std::string_view needle,
                                        std::size_t begin, std::size_t end) {
    end = std::min(end, bytes.size());
    if (begin >= end || needle.size() > end - begin) {
        return std::nullopt;
    }
    const std::size_t found = bytes.substr(0, end).rfind(needle);
    if (found == std::string_view::npos || found < begin) {
        return std::nullopt;
    }
    return found;
}

std::int32_t ParseInteger(std::string_view bytes, std::size_t pos) {
    while (pos < bytes.size() && IsSpaceByte(bytes[pos])) {
        ++pos;
    }
    bool negative = false;
    if (pos < bytes.size() && (bytes[pos] == '-' || bytes[pos] == '+')) {
        negative = bytes[pos] == '-';
        ++pos;
    }
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t value = 0;
    for (; pos < bytes.size() && IsDigitByte(bytes[pos]); ++pos) {
        value = std::min(value * 10 + (bytes[pos] - '0'), kLimit);
    }
    if (negative) {
        return static_cast<std::int32_t>(-value);
    }
    return static_cast<std::int32_t>(std::min(value, kLimit - 1));
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

}  // namespace pdfcrypt
