#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace pdfcrypt {

struct PdfString {
    std::string bytes;  // decoded
    // Position of the closing ")" or ">", or the bound when the string was cut off there.
    std::size_t end = 0;
    bool closed = false;
    // Position just past the string as it stands in the text.
    std::size_t After() const { return closed ? end + 1 : end; }
};

// "(" always starts a string; "<" only when neither neighbour is "<", so the dictionary
// brackets are never taken for strings.
bool IsStringStart(std::string_view text, std::size_t pos);

// Decodes the literal or hexadecimal string starting at pos, reading no byte at or after bound.
PdfString ReadPdfString(std::string_view text, std::size_t pos, std::size_t bound);

// Uppercase hexadecimal digits of bytes, high half first.
void AppendHex(std::string& out, std::string_view bytes);

// The body of a literal string (without parentheses) that reads back as bytes.
std::string EscapeLiteral(std::string_view bytes);

}  // namespace pdfcrypt
