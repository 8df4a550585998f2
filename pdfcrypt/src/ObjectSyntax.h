#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

// Token-level helpers for the few places where the reader must know where a value ends: the
// body of an object, the trailer dictionary and a stream's /Length. Strings and comments are
// skipped as units, so brackets or keywords inside them are never taken for structure.
namespace pdfcrypt {

bool IsPdfWhitespace(char c);
bool IsPdfDelimiter(char c);

// Position of the first byte at or after pos that is neither whitespace nor part of a comment.
std::size_t SkipWhitespaceAndComments(std::string_view text, std::size_t pos);

// "N G obj" at pos (after optional whitespace): the numbers and the position after "obj".
struct ObjectHeader {
    std::int64_t number = 0;
    std::int64_t generation = 0;
    std::size_t start = 0;  // first digit of the number
    std::size_t bodyStart = 0;
};
std::optional<ObjectHeader> ParseObjectHeader(std::string_view text, std::size_t pos);

// Walks an object's body from pos to the keyword that ends it.
struct BodyEnd {
    enum class Kind { Endobj, Stream };
    Kind kind = Kind::Endobj;
    std::size_t keyword = 0;  // first byte of "endobj" or "stream"
};
std::optional<BodyEnd> FindBodyEnd(std::string_view text, std::size_t pos);

// For a dictionary opening with "<<" at open: the position after its matching ">>".
std::optional<std::size_t> DictionaryEnd(std::string_view text, std::size_t open);
// The position of the value of key (for example "/Length") among the dictionary's own entries,
// not those of nested dictionaries or arrays.
std::optional<std::size_t> DictionaryValue(std::string_view text, std::size_t open,
                                           std::string_view key);

// A non-negative integer at pos (no sign, at most 18 digits) and the position after it.
std::optional<std::int64_t> ParseUnsigned(std::string_view text, std::size_t& pos);
// "N G R" at pos: the object number.
std::optional<std::int64_t> ParseReference(std::string_view text, std::size_t pos);

}  // namespace pdfcrypt
