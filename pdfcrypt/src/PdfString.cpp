#include "PdfString.h"

#include <algorithm>

#include "ByteScan.h"

namespace pdfcrypt {
namespace {

bool IsOctalDigit(char c) {
    return c >= '0' && c <= '7';
}

PdfString ReadLiteral(std::string_view text, std::size_t pos, std::size_t bound) {
    PdfString result;
    int depth = 1;
    std::size_t i = pos + 1;
    while (i < bound) {
        const char c = text[i];
        if (c == '\\') {
            if (i + 1 >= bound) {
                break;
            }
            const char escaped = text[i + 1];
            i += 2;
            switch (escaped) {
                case 'n':
                    result.bytes += '\n';
                    break;
                case 'r':
                    result.bytes += '\r';
                    break;
                case 't':
                    result.bytes += '\t';
                    break;
                case 'b':
                    result.bytes += '\b';
                    break;
                case 'f':
                    result.bytes += '\f';
                    break;
                case '\r':
                    if (i < bound && text[i] == '\n') {
                        ++i;
                    }
                    break;
                case '\n':
                    break;
                default:
                    if (IsOctalDigit(escaped)) {
                        int value = escaped - '0';
                        for (int digits = 1; digits < 3 && i < bound && IsOctalDigit(text[i]);
                             ++digits, ++i) {
                            value = value * 8 + (text[i] - '0');
                        }
                        result.bytes += static_cast<char>(value & 0xFF);
                    } else {
                        result.bytes += escaped;
                    }
                    break;
            }
            continue;
        }
        if (c == ')') {
            if (depth == 1) {
                result.end = i;
                result.closed = true;
                return result;
            }
            --depth;
        } else if (c == '(') {
            ++depth;
        }
        result.bytes += c;
        ++i;
    }
    result.end = bound;
    return result;
}

// A pair is read as a hexadecimal number: a non-digit first byte gives 0, a non-digit second
// byte ends the number after the first.
char HexPairValue(char high, char low) {
    const int first = HexDigitValue(high);
    if (first < 0) {
        return 0;
    }
    const int second = HexDigitValue(low);
    return static_cast<char>(second < 0 ? first : first * 16 + second);
}

PdfString ReadHexadecimal(std::string_view text, std::size_t pos, std::size_t bound) {
    PdfString result;
    result.end = bound;
    char pending = 0;
    bool havePending = false;
    for (std::size_t i = pos + 1; i < bound; ++i) {
        const char c = text[i];
        if (c == '>') {
            result.end = i;
            result.closed = true;
            break;
        }
        if (c == '\r' || c == '\n' || c == ' ') {
            continue;
        }
        if (havePending) {
            result.bytes += HexPairValue(pending, c);
        } else {
            pending = c;
        }
        havePending = !havePending;
    }
    return result;
}

}  // namespace

bool IsStringStart(std::string_view text, std::size_t pos) {
    if (pos >= text.size()) {
        return false;
    }
    if (text[pos] == '(') {
        return true;
    }
    return text[pos] == '<' && (pos == 0 || text[pos - 1] != '<') &&
           (pos + 1 >= text.size() || text[pos + 1] != '<');
}

PdfString ReadPdfString(std::string_view text, std::size_t pos, std::size_t bound) {
    bound = std::min(bound, text.size());
    if (pos >= bound) {
        PdfString empty;
        empty.end = bound;
        return empty;
    }
    return text[pos] == '(' ? ReadLiteral(text, pos, bound) : ReadHexadecimal(text, pos, bound);
}

void AppendHex(std::string& out, std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const std::size_t start = out.size();
    out.resize(start + 2 * bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        out[start + 2 * i] = kDigits[byte >> 4];
        out[start + 2 * i + 1] = kDigits[byte & 0x0F];
    }
}

std::string EscapeLiteral(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (const char c : bytes) {
        if (c == '(' || c == ')' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\r') {
            out += "\\r";
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace pdfcrypt
